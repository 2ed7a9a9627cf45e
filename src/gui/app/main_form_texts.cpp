// The main window's texts in German, English and Italian.
#include "gui/app/main_form_texts.h"

#include <vector>

#include "components/registry.h"

namespace tolmek {

namespace {

constexpr Caption kMenus[] = {
    {"Datei", "&Datei", "&File", "&File"},
    {"DateiNeu", "&Neu", "&New", "&Nuovo"},
    {"DateiOeffnen", "Ö&ffnen...", "&Open...", "&Apri..."},
    {"DateiSchliessen", "&Schließen", "&Close", "&Chiudi"},
    {"DateiSpeichern", "S&peichern", "&Save", "&Salva"},
    {"DateiSpeichernUnter", "Sp&eichern unter...", "Save as...", "Salva con &nome..."},
    {"DateiQuelltextspeichern", "&Quelltext speichern", "Save source", "Salva sorgente"},
    {"DateiQuelltextspeichernunter", "Q&uelltext speichern unter...", "Save source as...", "Salva sorgente con nome..."},
    {"Build1", "&Build...", "&Build...", "&Build..."},
    {"Drucken", "&Drucken", "&Print", "Stam&pa"},
    {"DruckerEinrichten", "D&rucker einrichten...", "Printer Set&up...", "&Imposta stampante..."},
    {"DateiBeenden", "Beenden", "E&xit", "&Esci"},
    {"Bearbeiten1", "&Bearbeiten", "&Edit", "&Modifica"},
    {"Wiederherstellen1", "&Rückgängig löschen", "Undo delete", "&Annulla cancellazione"},
    {"MarkAll", "&Alles auswählen", "Select all", "Seleziona &tutto"},
    {"Kopieren1", "&Kopieren", "Copy", "&Copia"},
    {"Einfgen1", "&Einfügen", "Insert", "&Incolla"},
    {"Ausschneiden", "A&usschneiden", "&Cut", "&Taglia"},
    {"Lschen1", "&Löschen", "Delete", "&Elimina"},
    {"Suchen1", "&Suchen...", "Search...", "&Cerca..."},
    {"Objektreihenfolge1", "&Objektreihenfolge", "Object order...", "&Ordine oggetti..."},
    {"Einstellungen1", "&Einstellungen", "&Settings", "&Impostazioni"},
    {"Prozessor1", "&Microcontroller...", "&Microcontroller...", "&Microcontroller..."},
    {"Signale1", "&Umgebung...", "&Environment...", "&Ambiente..."},
    {"Farben1", "&Farben", "Colors", "&Colori"},
    {"Standard1", "&Standard", "Standard", "&Standard"},
    {"Simulation1", "S&imulation", "Simulation", "S&imulazione"},
    {"Tools2", "&Programme...", "&Programs...", "&Programmi..."},
    {"Projekt1", "P&rojekt", "P&roject", "P&rogetto"},
    {"Tools1", "&Tools", "&Tools", "&Tools"},
    {"ChipPruefen1", "Auf simuliertem Chip &prüfen", "&Verify on simulated chip", "&Verifica sul chip simulato"},
    {"Tools3", "T&ools konfigurieren...", "C&onfigure tools...", "C&onfigura tools..."},
    {"Fenster", "&Fenster", "&Window", "&Finestra"},
    {"Funktionsplan", "F&unktions-Plan...", "Function Plan...", "Seleziona Pagina..."},
    {"Seite1", "Seite &1", "Page &1", "Pagina &1"},
    {"Seite2", "Seite &2", "Page &2", "Pagina &2"},
    {"Seite3", "Seite &3", "Page &3", "Pagina &3"},
    {"Seite4", "Seite &4", "Page &4", "Pagina &4"},
    {"Seite5", "Seite &5", "Page &5", "Pagina &5"},
    {"Seite6", "Seite &6", "Page &6", "Pagina &6"},
    {"Seite7", "Seite &7", "Page &7", "Pagina &7"},
    {"Seite8", "Seite &8", "Page &8", "Pagina &8"},
    {"Seite9", "Seite &9", "Page &9", "Pagina &9"},
    {"Seite10", "Seite 1&0", "Page 1&0", "Pagina 1&0"},
    {"FensterVariable", "&Benutzte Variable", "used variable", "&Variabili usate"},
    {"FensterQuelltext", "&Quelltext", "Source", "&Sorgente"},
    {"Spezial1", "&Spezial", "Special", "S&peciale"},
    {"WindowCascadeItem", "Ü&berlappend", "&Cascade", "&Sovrapponi"},
    {"WindowTileItem", "&Nebeneinander", "Arrange", "&Affianca"},
    {"WindowArrangeItem", "&Symbole anordnen", "&Arrange symbols", "Disponi &icone"},
    {"WindowMinimizeItem", "&Alle verkleinern", "Minimize", "&Riduci tutte"},
    {"Hilfe", "&Hilfe", "&Help", "&Aiuto"},
    {"Inhalt", "&Inhalt", "Content", "&Sommario"},
    {"HilfeUeber", "I&nfo...", "Inf&o...", "I&nformazioni..."},
};

constexpr Caption kToolHints[] = {
    {"SpeedButton19", "Toolbar umschalten", "Switch Toolbar", "Cambia barra strumenti"},
    {"SpeedButton18", "Toolbar umschalten", "Switch Toolbar", "Cambia barra strumenti"},
    {"SpeedButton9", "Raster-anzeigen", "Show Grid", "Mostra griglia"},
    {"SpeedButton20", "Raster-anzeigen", "Show Grid", "Mostra griglia"},
    {"SpeedButton10", "Verbindungs-Punkte", "Connection Points", "Punti di connessione"},
    {"SpeedButton23", "Verbindungs-Punkte", "Connection Points", "Punti di connessione"},
    {"SpeedButton21", "Simulation Ein / Aus", "Simulation On/Off", "Simulazione On/Off"},
    {"SpeedButton22", "Simulation Ein / Aus", "Simulation On/Off", "Simulazione On/Off"},
    {"SpeedButton31", "verkleinern", "Zoom out (-)", "Riduci (-)"},
    {"SpeedButton34", "verkleinern", "Zoom out (-)", "Riduci (-)"},
    {"SpeedButton32", "1:1 Darstellung", "1:1", "Ripristina schermo 1:1"},
    {"SpeedButton35", "1:1 Darstellung", "1:1", "Ripristina schermo 1:1"},
    {"SpeedButton33", "vergrössern", "Zoom in (+)", "Ingrandisci (+)"},
    {"SpeedButton36", "vergrössern", "Zoom in (+)", "Ingrandisci (+)"},
};

constexpr Caption kMenuHints[] = {
    {"ChipPruefen1", "Prüft den Plan mit der Testbench neben seiner Datei: Simulation und Programm in gpsim im Vergleich",
     "Checks the plan with the test bench beside its file: the simulation and the program in gpsim side by side",
     "Verifica lo schema con il banco di prova accanto al suo file: simulazione e programma in gpsim a confronto"},
};

constexpr Caption kStatusCaptions[] = {
    {"Panel6", "Refresh", "Refresh", "Aggiorna"},
};

constexpr Caption kStatusHints[] = {
    {"Panel5", "Aktuelle Prozessor-Einstellungen", "Current processor settings", "Impostazioni attuali del processore"},
    {"Panel6", "Click to update ROM-Status", "Click to update ROM-Status", "Clic per aggiornare lo stato ROM"},
};

constexpr Caption kTexts[] = {
    {"OpenFilter", "Tolmek (*.pic);;Alle Dateien (*)", "Tolmek (*.pic);;All files (*)", "Tolmek (*.pic);;Tutti i file (*)"},
    {"SaveFilter", "Tolmek (*.pic);;Assembler (*.asm);;Alle Dateien (*)", "Tolmek (*.pic);;Assembler (*.asm);;All files (*)",
     "Tolmek (*.pic);;Assembler (*.asm);;Tutti i file (*)"},
    {"About", "Grafische Programmierung kleiner PIC-Mikrocontroller",
     "Graphical programming of small PIC microcontrollers", "Programmazione grafica di piccoli microcontrollori PIC"},
    {"AboutTitle", "Info", "About", "Informazioni"},
    {"HelpTitle", "Tolmek - Hilfe", "Tolmek - Help", "Tolmek - Aiuto"},
    {"HelpMissing", "Die Hilfeseite wurde nicht gefunden:", "The help page was not found:",
     "La pagina di aiuto non è stata trovata:"},
};

}  // namespace

std::span<const Caption> MainMenuCaptions() { return kMenus; }
std::span<const Caption> MainToolHints() { return kToolHints; }
std::span<const Caption> MainMenuHints() { return kMenuHints; }
std::span<const Caption> KindButtonHints() {
  static const std::vector<Caption> hints = [] {
    std::vector<Caption> rows;
    for (const KindInfo& k : AllKinds())
      if (k.toolBar != ToolBar::None) rows.push_back({k.button, k.hint.german, k.hint.english, k.hint.italian});
    return rows;
  }();
  return hints;
}
std::span<const Caption> MainStatusCaptions() { return kStatusCaptions; }
std::span<const Caption> MainStatusHints() { return kStatusHints; }
std::span<const Caption> MainTexts() { return kTexts; }

}  // namespace tolmek
