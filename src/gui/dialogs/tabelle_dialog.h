// TDialogTabelle: a table's name, length, width and values (eight fields at a time), with value files.
#pragma once

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <array>
#include <functional>
#include <string>

#include "components/tabelle.h"
#include "gui/dialogs/kind_dialog.h"

namespace tolmek {

class TDialogTabelle final : public KindDialog {
  Q_OBJECT

 public:
  static constexpr int kFields = 8;

  TDialogTabelle(Messenger& messages, QWidget* parent);
  void Load(const TObjTabelle& table);
  void Apply(TObjTabelle& table) const;

  // Asks for the value file to load (save = false) or save; empty when the user cancels. The file dialog
  // unless replaced.
  std::function<QString(bool save)> ChooseFile;

  QLineEdit* Edit17;  // name
  QLineEdit* Edit18;  // length
  std::array<QLineEdit*, kFields> Edit{};  // Edit1 .. Edit8
  QScrollBar* ScrollBar1;
  std::array<QRadioButton*, 4> RadioGroup1{};  // decimal, hexadecimal, binary, character
  QRadioButton* Bits8;                         // RadioGroup2 "Typ"
  QRadioButton* Bits16;
  QPushButton* Button1;  // "&Laden..."
  QPushButton* Button2;  // "&Speichern..."

  // The working copy, as OK would apply it.
  [[nodiscard]] int WorkingLength() const { return length_; }
  [[nodiscard]] uint16_t WorkingValue(int i) const { return values_.at(size_t(i)); }

  bool LoadFile(const QString& path);
  bool SaveFile(const QString& path);

 protected:
  bool Validate() override;

 private:
  [[nodiscard]] bool Wide() const { return Bits16->isChecked(); }
  [[nodiscard]] int Radix() const;
  [[nodiscard]] uint16_t MaxValue() const { return Wide() ? 0xFFFF : 0xFF; }
  // Reads the eight fields into the working copy; message 43 and false for a value it cannot take.
  bool ReadFields();
  void ShowFields();
  // Checks the length field; message 44 sets it to the largest allowed length.
  bool ReadLength();
  void SetLength(int length);
  void Scrolled(int position);
  void RadixChanged();
  void WidthChanged();

  std::string oldName_, name_;
  int length_ = 8;
  std::array<uint16_t, TObjTabelle::kMaxLength> values_{};
  int offset_ = 0;
  bool filling_ = false;
};

}  // namespace tolmek
