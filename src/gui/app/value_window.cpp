// TDialogAnalog: scroll bar and edit field bound to one variable of the running simulation.
#include "gui/app/value_window.h"

#include <QLineEdit>
#include <QScrollBar>
#include <array>

#include "components/data8.h"
#include "model/project.h"
#include "sim/sim_context.h"

namespace tolmek {

namespace {

// A data block: its variable as 8- or 16-bit value; an A/D channel read as 16 bits moves in steps of 1 up
// to 1023 on the parts with a 10-bit converter (16F873/874/876/877), else up to 255.
std::optional<ValueBinding> DataBlockBinding(TBauteil& block, SimEngine&, const Project& project) {
  auto& data = static_cast<TObjData8&>(block);
  ValueBinding b;
  b.target = data.Variable() ? &data.Variable()->Value : nullptr;
  b.wordMode = data.Is16Bit();
  b.isAdc = b.wordMode && data.Name.starts_with("ADC");
  const int type = project.Mcu.ProcessorType;
  b.adcMax = type >= 20 && type <= 23 ? 1023 : 255;
  return b;
}

std::array<ValueBinder, 256>& Binders() {
  static std::array<ValueBinder, 256> binders = [] {
    std::array<ValueBinder, 256> b{};
    b[kind::Data8] = &DataBlockBinding;
    return b;
  }();
  return binders;
}

constexpr int kByteMax = 255;
constexpr int kWordMax = 65535;
constexpr int kWordScrollMax = 32767;  // word values move in steps of 2

}  // namespace

void RegisterValueBinder(uint8_t kindCode, ValueBinder binder) { Binders()[kindCode] = binder; }
ValueBinder FindValueBinder(uint8_t kindCode) { return Binders()[kindCode]; }

TDialogAnalog::TDialogAnalog(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
  setObjectName("TDialogAnalog");
  setWindowTitle("Wert ändern");
  setFixedSize(351, 67);
  setAutoFillBackground(true);
  QPalette p = palette();
  p.setColor(QPalette::Window, QColor(0, 0, 128));
  setPalette(p);
  edit_ = new QLineEdit(this);
  edit_->setObjectName("Edit1");
  edit_->setGeometry(8, 8, 64, 22);
  scroll_ = new QScrollBar(Qt::Horizontal, this);
  scroll_->setObjectName("ScrollBar1");
  scroll_->setGeometry(8, 38, 334, 18);
  scroll_->setRange(0, kByteMax);
  connect(scroll_, &QScrollBar::valueChanged, this, &TDialogAnalog::Scrolled);
  // textEdited: only what the user types, never the text the window fills in itself.
  connect(edit_, &QLineEdit::textEdited, this, &TDialogAnalog::Typed);
}

void TDialogAnalog::ShowBinding(const ValueBinding& binding, QPoint screenPos) {
  binding_ = binding;
  if (!binding_.target) {
    HideValue();
    return;
  }
  filling_ = true;
  const int32_t value = *binding_.target;
  if (!binding_.wordMode) {
    scroll_->setMaximum(kByteMax);
    scroll_->setValue(value);
  } else if (binding_.isAdc) {
    scroll_->setMaximum(binding_.adcMax);
    scroll_->setValue(value);
  } else {
    scroll_->setMaximum(kWordScrollMax);
    scroll_->setValue(value / 2);
  }
  edit_->setText(QString::number(value));
  filling_ = false;
  move(screenPos);
  show();
}

void TDialogAnalog::HideValue() {
  binding_.target = nullptr;
  hide();
}

void TDialogAnalog::Scrolled(int position) {
  if (filling_ || !binding_.target) return;
  const int value = binding_.wordMode && !binding_.isAdc ? 2 * position : position;
  edit_->setText(QString::number(value));
  *binding_.target = value;
}

void TDialogAnalog::Typed(const QString& text) {
  if (!binding_.target) return;
  bool number = false;
  long long value = text.trimmed().toLongLong(&number);
  if (!number) return;
  // Negative numbers count as too large: both ends become the maximum.
  const int max = binding_.wordMode ? kWordMax : kByteMax;
  if (value > max || value < 0) value = max;
  *binding_.target = int32_t(value);
  filling_ = true;
  scroll_->setValue(binding_.wordMode && !binding_.isAdc ? int(value / 2) : int(value));
  filling_ = false;
}

}  // namespace tolmek
