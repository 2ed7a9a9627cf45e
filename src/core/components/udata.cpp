// The UART data block: pins, file record, the lengths it gives its module, and its simulation rule.
#include "components/udata.h"

#include "codegen/analysis.h"
#include "components/block_support.h"
#include "components/uart.h"
#include "model/project.h"
#include "sim/sim_context.h"

namespace tolmek {

TObjUdata::TObjUdata(int32_t x, int32_t y) : TBauteil(x, y) {
  Kind = kind::Udata;
  Width = 80;
  Height = 50;
  Name = "UD";
  in_ = &AddPin(kind::InputPin, 1, 0, 10, 40, "S");
  out_ = &AddPin(kind::OutputPin, 1, 1, Width - 10, 40, "A");
}

TObjAnschluss* TObjUdata::HitPin(int x, int y) {
  for (auto* pin : {out_, in_})
    if (auto* hit = pin->HitPin(x, y)) return hit;
  return nullptr;
}

void TObjUdata::Record(RecordVisitor& v) {
  BaseRecord(v);
  v.Page(Page);
  v.Choice("direction", Direction, kTransmit, kReceive);
  v.Text("uartName", UartName, kMaxNameLength);
  uint16_t count = uint16_t(Items.size());
  v.Word("itemCount", count);
  if (v.Reading()) Items.assign(count, std::string());
  for (size_t i = 0; i < Items.size(); ++i) {
    const std::string key = "item" + std::to_string(i + 1);
    v.Text(key.c_str(), Items[i], kMaxNameLength);
  }
  v.Pin("in", *in_);
  v.Pin("out", *out_);
  v.Zeros(256);
}

void TObjUdata::NoteUsedNames(Analysis& a) {
  in_->NoteUsedNames(a);
  out_->NoteUsedNames(a);
  a.RegisterVariable(Name + "_FD");
  for (const std::string& item : Items) a.RegisterVariable(item);
  TObjUart* m = FindUartModule(a.GetProject(), UartName);
  if (!m) return;
  Checksum = m->WithChecksum;
  const uint16_t n = uint16_t(Items.size());
  if (Direction == kReceive) {
    if (n > m->RxLength) {
      m->RxLength = n;
      m->UseFlags |= 2;
    }
  } else if (n > m->TxLength) {
    m->TxLength = n;
    m->UseFlags |= 1;
  }
}

void TObjUdata::DeclareVariables(Analysis& a) {
  in_->DeclareVariables(a);
  out_->DeclareVariables(a);
  RegisterWorkBits(a, Name + "_FD");
  for (const std::string& item : Items) RegisterWorkBits(a, item);
}

void TObjUdata::SimulationStart(SimContext&) { edge_ = false; }

// A rising edge gives a high output for one pass: the transfer completes at once, no data moves.
void TObjUdata::SimulationStep(SimContext&) {
  const bool level = in_->GetMarked() != 0;  // read once: edge test and edge memory
  if (edge_ || !level) {
    DriveLevel(*out_, false);
  } else {
    edge_ = true;
    DriveLevel(*out_, true);
  }
  if (!level) edge_ = false;
}

void TObjUdata::SimulationStop(SimContext&) {
  edge_ = false;
  ClearLevels(*this);
}

}  // namespace tolmek
