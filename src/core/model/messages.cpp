// The numbered message catalogue in German, English and Italian, and how a message is composed and shown.
#include "model/messages.h"

#include <algorithm>
#include <array>

namespace tolmek {
namespace {

struct CatalogueEntry {
  int number;
  std::string_view german;
  std::string_view english;
  std::string_view italian;
};

// Message 11 has no Italian text of its own; the Italian column repeats the German line.
constexpr std::array<CatalogueEntry, 70> kCatalogue{{
    {1, "1 : keine Bit-Bezeichnung bei Bauteil",
     "1 : no bit-name at object",
     "1: specificare il bit-name del blocco funzionale"},
    {2, "2 : Assembler (mpasmwin.exe) nicht gefunden !",
     "2 : assembler (mpasmwin.exe) not found !",
     "2 : specificare il percorso (mpasmwin.exe not found) !"},
    {4, "4 : aktuelle Datei wurde noch nicht gespeichert !  Speichern ?",
     "4 : current file not saved ! Save  now ?",
     "4 : I dati attuali non sono stati salvati ! Salvare ?"},
    {5, "5 : datei konnte nicht gespeichert werden ! Schreibgeschützt ?",
     "5 : couldn't save file ! write protected ?",
     "5 : I dati non possono essere salvati ! write protected ?"},
    {6, "6 : der angegebene Pfad existiert nicht !",
     "6 : the path doesn't exit !",
     "6 : Il percorso e´ inesistente....  exit !"},
    {7, "7 : die angegebene Datei existiert nicht oder ist schreibgeschützt !",
     "7 : the file doesn't exist or is write protected !",
     "7 : Impossibile trovare il file , oppure il file e´protetto!"},
    {8, "8 : dieses ist keine Tolmek Datei !",
     "8 : this is no Tolmek file !",
     "8 : I dati non sono in formato Tolmek !"},
    {9, "9 : das eingegebene Passwort ist falsch !",
     "9 : wrong password !",
     "9 : la password non e´ corretta !"},
    {10, "10 : externen Editor nicht gefunden !",
     "10 : external editor not found !",
     "10 : Editor esterno inesistente !"},
    {11, "11 : bei Taktfrequenz !",
     "11 : at clock-frequency  !",
     "11 : bei Taktfrequenz !"},
    {12, "12 : hier sind nur Zahlen erlaubt !",
     "12 : only numbers allowed !",
     "12 : Inserire solo numeri !"},
    {13, "13 : beim ausführen von",
     "13 : executing",
     "13 : In esecuzione"},
    {14, "14 : ungültiger Name !",
     "14 : invalid name !",
     "14 : Il nome non e´valido !"},
    {15, "15 : Anzahl der Eingänge muß zwischen 1 und 16 liegen !",
     "15 : number of inputs must between 1 and 16 !",
     "15 : Gli ingressi sono compresi tra 1 e 16 !"},
    {16, "16 : Anzahl der Ausgänge muß zwischen 1 und 16 liegen !",
     "16 : number of outputs must between 1 and 16 !",
     "16 : Le uscite sono comprese tra 1 e 16 !"},
    {17, "17 : unbekannte Variable am Ausgang",
     "17 : unknown variable at output",
     "17 : Non e´specificata la variabile di uscita"},
    {18, "18 : unbekannte Variable am Eingang",
     "18 : unknown variable at input",
     "18 : Non e´ specificata la variabile di ingresso"},
    {19, "19 : muss eine 16-Bit Variable sein",
     "19 : have to be a 16-bit variable",
     "19 : Deve essere una variabile a 16-bit"},
    {20, "20 : der Wert muß zwischen 0 und 255 bzw. 65535 liegen !",
     "20 : the value must lie between 0 and 255 or 65535 !",
     "20 : Il valore deve essere compreso tra 0 e 255 o 65535 bit !"},
    {21, "21 : der Wert ist ungültig !",
     "21 : the value is invalid !",
     "21 : valore non ammesso !"},
    {22, "22 : keine Speicherbank mehr frei bei",
     "22 : no free memory bank at",
     "22 : banco memoria esaurito"},
    {23, "23 : unbekannte Variable obere Begrenzung",
     "23 : unknown variable upper limit",
     "23 : upper limiter specificare la variabile"},
    {24, "24 : unbekannte Variable untere Begrenzung",
     "24 : unknown variable bottom limit",
     "24 : bottom limiter specificare la variabile"},
    {25, "25 : Anzahl der Eingänge muss zwischen 2 und 8 liegen !",
     "25 : number of inputs must lie between 2 and 8 !",
     "25 : il numero degli ingressi deve essere compreso tra 2 ed 8 !"},
    {26, "26 : Anzahl der Ausgänge muss zwischen 2 und 8 liegen !",
     "26 : number of outputs must lie between 2 and 8 !",
     "26 : il numero delle uscite deve essere compreso tra 2 ed 8 !"},
    {27, "27 : unbekannte Variable am Select-Eingang",
     "27 : unknown variable at Select-input",
     "27 : specificare il nome della variabile all' ingresso di selezione"},
    {28, "28 : Impulslänge <min> <max> -",
     "28 : Impuls-length <min> <max> -",
     "28 : Lunghezza impulso <min> <max>"},
    {29, "29 : der Name für die Länge ist ungültig !",
     "29 : the name of the length is invalid !",
     "29 : Valore non ammesso  !"},
    {30, "30 : die Impulslänge muss korrigiert werden - Mono-Flop",
     "30 : the impuls-length not valid - Mono-Flop",
     "30 : Valore non ammesso - Mono-Flop"},
    {31, "31 : Tabelle ist zu lang ->",
     "31 : table too long ->",
     "31 : Dimensione tavola eccessiva ->"},
    {32, "32 : unbekannter Name bei Periodendauer",
     "32 : unknown name at period duration",
     "32 : Durata periodo : specificare nome"},
    {33, "33 : ungültige Periodendauer !",
     "33 : invalid period duration !",
     "33 : Durata periodo invalido !"},
    {34, "34 : die Impulslänge muss korrigiert werden - Timer",
     "34 : the impuls-length not valid - Timer",
     "34 : Timer : durata impulso invalido"},
    {35, "35 : soll die Datei im Editor gespeichert werden ? ->",
     "35 : the file in the editor changed. Save ? ->",
     "35 : Editor:  dati sono stati cambiati. Salvare ?"},
    {36, "36 : der Pin GP3 kann nur als Eingang verwendet werden !",
     "36 : the pin GP3 can only used as input !",
     "36 : GP3 : questo pin si usa solo come input !"},
    {37, "37 : der Pin existiert nicht ->",
     "37 : the pin doesn't exist ->",
     "37 : il pin non esiste ->"},
    {38, "38 : der Quell-Text ist ungültig, der gewählte PIC hat keinen A/D-Wandler !",
     "38 : the source is invalid. The used PIC has no A/D-convert !",
     "38 : Sorgente non valido: Il PIC utilizzato non ha A/D converter !"},
    {39, "39 : der gewählte PIC hat nicht genügend Speicher (ROM) !",
     "39 : the used PIC is out of memory (ROM) !",
     "39 : ROM : memoria esaurita !"},
    {40, "40 : Objekte würden den Arbeitsbereich verlassen - Funktion abgebrochen !",
     "40 : objects will leave working-array - function canceled !",
     "40 : objects will leave working-array - funzione cancellata !"},
    {41, "41 : Simulation abgebrochen !",
     "41 : simulation canceled !",
     "41 : Simulazione non valida: abortita !"},
    {42, "42 : unteres Limit ist größer als oberes Limit !",
     "42 : bottom-limit is greater then upper-limit !",
     "42 : Limiter : valore non ammesso ( inferiore ) !"},
    {43, "43 : Wert kleiner 0 oder größer 255 !",
     "43 : value less 0 or greater 255 !",
     "43 : valore inferiore a 0 o maggiore di 255  !"},
    {44, "44 : Tabellenlänge !",
     "44 : table-length !",
     "44 : Dimensionare la tavola !"},
    {45, "45 : der Wert am Eingang überschreitet die Tabellen-Länge ! Call",
     "45 : the value at the input exceed table-length ! Call",
     "45 : Gestione tavola : valore di ingresso in eccesso ! ( Call )"},
    {46, "46 : keine Tabelle gefunden ->",
     "46 : no table found ->",
     "46 : Gestione tavola : tavola inesistente ->"},
    {47, "47 : dieser Anschluß kann nicht verändert werden !",
     "47 : this pin can't change !",
     "47 : Gestione pin : questo pin non si puó cambiare !"},
    {48, "48 : Anzahl der Ausgänge muss zwischen 1 und 8 liegen !",
     "48 : number of outputs must lie between 1 and 8  !",
     "48 : il numero delle uscite é compreso tra 1 ed 8 !"},
    {49, "49 : Anzahl der Ausgänge muss zwischen 0 und 8 liegen !",
     "49 : number of outputs must lie between 0 and 8  !",
     "49 : il numero delle uscite é compreso tra 0 ed 8 !"},
    {50, "50 : Anzahl der Ausgänge muss zwischen 0 und 16 liegen !",
     "50 : number of outputs must lie between 0 and 16  !",
     "50 : il numero delle uscite é compreso tra 0 e 16 !"},
    {51, "51 : bei Ausgänge !",
     "51 : at ouputs !",
     "51 : in uscita !"},
    {52, "52 : UART bei diesem PIC nicht verfügbar ->",
     "52 : UART not available at this PIC ->",
     "52 : Gestione UART : questo PIC non dispone di UART"},
    // Beyond the original catalogue: what the file boundary reports instead of changing a plan silently.
    {53, "53 : fehlerhafte Verbindungen der Datei wurden ausgelassen oder ergänzt, Anzahl:",
     "53 : damaged links of the file were left out or completed, count:",
     "53 : collegamenti danneggiati del file sono stati omessi o completati, numero:"},
    {54, "54 : der Plan hat mehr Bauteile und Anschlüsse, als eine Datei nummerieren kann - Funktion abgebrochen !",
     "54 : the plan has more objects and pins than a file can number - function canceled !",
     "54 : il piano ha più blocchi e pin di quanti un file possa numerare - funzione cancellata !"},
    {55, "55 : dieses Zeichen kann nicht in der Datei gespeichert werden !",
     "55 : this character cannot be stored in the file !",
     "55 : questo carattere non può essere salvato nel file !"},
    {60, "60 : Baudrate bei diesem Takt nicht auf 2% genau erreichbar ->",
     "60 : baud rate not reachable within 2% at this clock ->",
     "60 : baud rate non raggiungibile entro il 2% con questo clock ->"},
    {61, "61 : kein Modul mit diesem Namen ->",
     "61 : no module of this name ->",
     "61 : nessun modulo con questo nome ->"},
    {62, "62 : Unterprogramm-Aufrufe zu tief geschachtelt für den Stack des PIC ->",
     "62 : subroutine calls nested too deep for the PIC's stack ->",
     "62 : chiamate annidate troppo profonde per lo stack del PIC ->"},
    {63, "63 : Software-UART erzeugt keinen Code, bitte Hardware wählen ->",
     "63 : software UART generates no code, please choose hardware ->",
     "63 : UART software non genera codice, scegliere hardware ->"},
    {64, "64 : Eingang am MCLR-Pin, obwohl MCLR eingeschaltet ist: ein Low-Pegel setzt den Chip zurück ->",
     "64 : input on the MCLR pin while MCLR is enabled: a low level resets the chip ->",
     "64 : ingresso sul pin MCLR con MCLR attivo: un livello basso resetta il chip ->"},
    {65, "65 : RA4 ist Open-Drain und gibt High nur mit Pull-Up-Widerstand aus (ein Kommentar mit \"Pull-Up\" "
         "auf der Seite nimmt diese Warnung zurück) ->",
     "65 : RA4 is open drain and drives high only with a pull-up resistor (a comment saying \"pull-up\" on "
     "the page silences this warning) ->",
     "65 : RA4 è open drain e dà il livello alto solo con una resistenza di pull-up (un commento con "
     "\"pull-up\" sulla pagina toglie questo avviso) ->"},
    {66, "66 : Taktfrequenz zu hoch für die Oszillator-Einstellung ->",
     "66 : clock frequency too high for the oscillator setting ->",
     "66 : frequenza di clock troppo alta per l'oscillatore scelto ->"},
    {67, "67 : Pin ist während der A/D-Wandlung analog und wird auch als digitales Signal benutzt ->",
     "67 : pin is analogue while the A/D converter reads and is also used as a digital signal ->",
     "67 : il pin è analogico durante la conversione A/D ed è usato anche come segnale digitale ->"},
    {75, "75 : dieser Pin ist nur ein Eingang: ein Ausgang darauf erreicht den Pin nie ->",
     "75 : this pin is an input only: an output on it never reaches the pin ->",
     "75 : questo pin è solo un ingresso: un'uscita su di esso non raggiunge mai il pin ->"},
    // Test benches and the check on the simulated chip.
    {68, "68 : Zeile des Prüfstands nicht lesbar ->",
     "68 : test bench line cannot be read ->",
     "68 : riga del banco di prova illeggibile ->"},
    {69, "69 : kein Netz und keine Variable dieses Namens im Plan ->",
     "69 : no net or variable of this name in the plan ->",
     "69 : nessuna rete o variabile con questo nome nel piano ->"},
    {70, "70 : Zeit im Prüfstand läuft rückwärts ->",
     "70 : test bench time goes backwards ->",
     "70 : il tempo del banco di prova va all'indietro ->"},
    {71, "71 : Wert im Prüfstand außerhalb des Bereichs ->",
     "71 : test bench value out of range ->",
     "71 : valore del banco di prova fuori intervallo ->"},
    {72, "72 : gpsim nicht gefunden - bitte das Paket gpsim installieren (apt install gpsim) ->",
     "72 : gpsim not found - please install the package gpsim (apt install gpsim) ->",
     "72 : gpsim non trovato - installare il pacchetto gpsim (apt install gpsim) ->"},
    {73, "73 : gpsim bildet diesen PIC nicht nach, keine Prüfung auf dem Chip ->",
     "73 : gpsim does not model this PIC, no check on the chip ->",
     "73 : gpsim non simula questo PIC, nessuna verifica sul chip ->"},
    {74, "74 : der Prüfstand setzt einen Pin, den das Programm als Ausgang treibt ->",
     "74 : the test bench sets a pin the program drives as an output ->",
     "74 : il banco di prova imposta un pin che il programma usa come uscita ->"},
}};

struct Headings {
  std::string_view error;
  std::string_view notice;
};

constexpr Headings HeadingsFor(Language lang) {
  switch (lang) {
    case Language::German:
      return {"Fehler", "Hinweis"};
    case Language::Italian:
      return {"Errore", "Indicazione"};
    case Language::English:
      break;
  }
  return {"Error", "Hint"};
}

const CatalogueEntry* Find(int n) {
  const auto* it = std::find_if(kCatalogue.begin(), kCatalogue.end(),
                                [n](const CatalogueEntry& e) { return e.number == n; });
  return it == kCatalogue.end() ? nullptr : &*it;
}

}  // namespace

std::string_view MessageText(Language lang, int n) {
  const CatalogueEntry* e = Find(n);
  if (e == nullptr) return {};
  switch (lang) {
    case Language::German:
      return e->german;
    case Language::Italian:
      return e->italian;
    case Language::English:
      break;
  }
  return e->english;
}

std::string_view HeadingWord(Language lang, MessageMode mode) {
  const Headings h = HeadingsFor(lang);
  return mode == MessageMode::Question ? h.notice : h.error;
}

bool MessageExists(int n) { return Find(n) != nullptr; }

std::string ComposeMessage(Language lang, Msg n, MessageMode mode, std::string_view detail1, std::string_view detail2) {
  std::string text;
  text.reserve(96);
  text.append(HeadingWord(lang, mode));
  text += ' ';
  text.append(MessageText(lang, Number(n)));
  text += ' ';
  text.append(detail1);
  text += ' ';
  text.append(detail2);
  return text;
}

Answer Messenger::ShowMessage(Msg n, MessageMode mode, std::string_view detail1, std::string_view detail2) {
  if (sink_ == nullptr) return Answer::None;
  const std::string title = mode == MessageMode::Question ? "Message" : "Error";
  const Answer answer = sink_->Present(n, mode, title, ComposeMessage(lang_, n, mode, detail1, detail2));
  return mode == MessageMode::Question ? answer : Answer::None;
}

Answer RecordingSink::Present(Msg number, MessageMode mode, const std::string& /*title*/, const std::string& text) {
  entries.push_back({Number(number), mode, text});
  return mode == MessageMode::Question ? answer : Answer::None;
}

std::vector<int> RecordingSink::Numbers() const {
  std::vector<int> numbers;
  numbers.reserve(entries.size());
  for (const Entry& e : entries) numbers.push_back(e.number);
  return numbers;
}

}  // namespace tolmek
