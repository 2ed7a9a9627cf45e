// The property dialogs of the plan's elements, chosen by kind (and pin width) from one table.
#include "gui/dialogs/dialog_editor.h"

#include "components/bv.h"
#include "components/call.h"
#include "components/data8.h"
#include "components/ee.h"
#include "components/gatter.h"
#include "components/gnd.h"
#include "components/inc.h"
#include "components/lcd_base.h"
#include "components/lcd_text.h"
#include "components/limit.h"
#include "components/mathe.h"
#include "components/puls.h"
#include "components/pulsin.h"
#include "components/pulsout.h"
#include "components/rsff.h"
#include "components/shot.h"
#include "components/sleep.h"
#include "components/spl.h"
#include "components/mux.h"
#include "components/sregist.h"
#include "components/strigg8.h"
#include "components/tabelle.h"
#include "components/text.h"
#include "components/timer.h"
#include "components/uart.h"
#include "components/udata.h"
#include "components/vergl.h"
#include "components/vrzaehl.h"
#include "components/zaehler.h"
#include "gui/build/inc_dialog.h"
#include "gui/dialogs/arith_dialogs.h"
#include "gui/dialogs/data8_dialog.h"
#include "gui/dialogs/ee_dialog.h"
#include "gui/dialogs/gatter_dialog.h"
#include "gui/dialogs/gnd_dialog.h"
#include "gui/dialogs/lcd_base_dialog.h"
#include "gui/dialogs/lcd_text_dialog.h"
#include "gui/dialogs/mux_dialog.h"
#include "gui/dialogs/pin8_dialog.h"
#include "gui/dialogs/pin_dialog.h"
#include "gui/dialogs/puls_dialog.h"
#include "gui/dialogs/pulsin_dialog.h"
#include "gui/dialogs/pulsout_dialog.h"
#include "gui/dialogs/rsff_dialog.h"
#include "gui/dialogs/shot_dialog.h"
#include "gui/dialogs/spl_dialog.h"
#include "gui/dialogs/tabelle_dialog.h"
#include "gui/dialogs/text_dialog.h"
#include "gui/dialogs/timer_dialog.h"
#include "gui/dialogs/uart_dialog.h"
#include "gui/dialogs/udata_dialog.h"
#include "gui/dialogs/zaehler_dialog.h"
#include "gui/file_text.h"
#include "model/node.h"
#include "model/pin.h"

namespace tolmek {

namespace {

using EditFunction = bool (*)(TBauteil&, Messenger&, QWidget*);

// Loads the element into the dialog, shows it modally and applies it on OK.
template <class Element, class Dialog, auto... Use>
bool Run(TBauteil& element, Messenger& messages, QWidget* parent) {
  auto& e = static_cast<Element&>(element);
  Dialog dialog(Use..., messages, parent);
  dialog.Load(e);
  GuardFileText(dialog, messages);
  if (dialog.exec() != QDialog::Accepted) return false;
  dialog.Apply(e);
  return true;
}

struct DialogRow {
  uint8_t kind;
  int bits;  // pins: 1, 8 or 16; 0 for every other kind
  EditFunction edit;
};

constexpr DialogRow kDialogs[] = {
    {kind::InputPin, 1, &Run<TObjAnschluss, TDialogAnschluss>},
    {kind::OutputPin, 1, &Run<TObjAnschluss, TDialogAnschluss>},
    {kind::InputPin, 8, &Run<TObjAnschluss, TDialogAnschluss8, TDialogAnschluss8::Use::Pin8>},
    {kind::OutputPin, 8, &Run<TObjAnschluss, TDialogAnschluss8, TDialogAnschluss8::Use::Pin8>},
    {kind::InputPin, 16, &Run<TObjAnschluss, TDialogAnschluss8, TDialogAnschluss8::Use::Pin16>},
    {kind::OutputPin, 16, &Run<TObjAnschluss, TDialogAnschluss8, TDialogAnschluss8::Use::Pin16>},
    {kind::Knoten, 0, &Run<TObjKnoten, TDialogAnschluss8, TDialogAnschluss8::Use::Node>},
    {kind::Gatter, 0, &Run<TObjGatter, TDialogGatter>},
    {kind::Rsff, 0, &Run<TObjRsff, TDialogRSFF, TDialogRSFF::Use::FlipFlop>},
    {kind::Strigg8, 0, &Run<TObjStrigg8, TDialogRSFF, TDialogRSFF::Use::SchmittTrigger>},
    {kind::Spl, 0, &Run<TObjSpl, TDialogSPL>},
    {kind::Gnd, 0, &Run<TObjGnd, TDialogGND>},
    {kind::Text, 0, &Run<TObjText, TDialogKommentar>},
    {kind::Inc, 0, &Run<TObjInc, TDialogInc>},
    {kind::Vergl, 0, &Run<TObjVergl, TDialogVergleich>},
    {kind::Mathe, 0, &Run<TObjMathe, TDialogMathe>},
    {kind::Limit, 0, &Run<TObjLimit, TDialogLimit>},
    {kind::Timer, 0, &Run<TObjTimer, TDialogTimer>},
    {kind::Puls, 0, &Run<TObjPuls, TDialogPuls>},
    {kind::Shot, 0, &Run<TObjShot, TDialogOShot>},
    {kind::Zaehler, 0, &Run<TCountBlock, TDialogZaehler, TDialogZaehler::Use::Counter>},
    {kind::Sregist, 0, &Run<TCountBlock, TDialogZaehler, TDialogZaehler::Use::ShiftRegister>},
    {kind::Vrzaehl, 0, &Run<TObjVrzaehl, TDialogVRZaehler>},
    {kind::PulsIn, 0, &Run<TObjPulsIn, TDialogPulsIn>},
    {kind::Sleep, 0, &Run<TObjSleep, TDialogSleep>},
    {kind::PulsOut, 0, &Run<TObjPulsOut, TDialogPulsOut>},
    {kind::EE, 0, &Run<TObjEE, TDialogEE>},
    {kind::Mux, 0, &Run<TObjMux, TDialogMux>},
    {kind::Bv, 0, &Run<TObjBv, TDialogBV>},
    {kind::Tabelle, 0, &Run<TObjTabelle, TDialogTabelle>},
    {kind::Call, 0, &Run<TObjCall, TDialogCall>},
    {kind::Data8, 0, &Run<TObjData8, TDialogData8>},
    {kind::LcdBase, 0, &Run<TObjLcdBase, TDialogLCDBase>},
    {kind::LcdText, 0, &Run<TObjLcdText, TDialogLCDText>},
    {kind::Uart, 0, &Run<TObjUart, TDialogUART>},
    {kind::Udata, 0, &Run<TObjUdata, TDialogUData>},
};

const DialogRow* Find(const TBauteil& element) {
  int bits = element.IsPin() ? static_cast<const TObjAnschluss&>(element).Bits : 0;
  for (const DialogRow& row : kDialogs)
    if (row.kind == element.Kind && row.bits == bits) return &row;
  return nullptr;
}

}  // namespace

bool DialogEditor::HasDialog(const TBauteil& element) { return Find(element) != nullptr; }

bool DialogEditor::Edit(TBauteil& element) {
  const DialogRow* row = Find(element);
  return row && row->edit(element, messages_, parent_);
}

}  // namespace tolmek
