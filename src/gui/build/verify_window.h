// TVerifyWindow: the report of a check on the simulated chip — the outcome, the first divergence, every
// failed expectation, the notes and the bench's problems. A double click on a row that names a signal asks
// for that signal's place in the plan.
#pragma once

#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "verify/verify.h"

class QLabel;
class QListWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace tolmek {

class TVerifyWindow final : public QWidget {
  Q_OBJECT

 public:
  explicit TVerifyWindow(Language lang, QWidget* parent = nullptr);

  // Shows `report` of the plan file `planName`; `messages` are what the plan said while it was checked.
  void ShowReport(const VerifyReport& report, std::vector<std::string> messages, const QString& planName);
  void SetLanguage(Language lang);

  [[nodiscard]] QLabel& Outcome() const { return *outcome_; }
  [[nodiscard]] QTreeWidget& Rows() const { return *rows_; }
  [[nodiscard]] QListWidget& Notes() const { return *notes_; }
  // The signal a row of Rows() names; empty for none.
  [[nodiscard]] static QString SignalOf(const QTreeWidgetItem& row);
  // What a double click on a row naming a signal does (the commands bring its element into view).
  std::function<void(const QString& signal)> OpenSignal;

 private:
  void Fill();
  [[nodiscard]] QString Text(const char* key) const;

  Language lang_;
  VerifyReport report_;
  std::vector<std::string> messages_;
  QString planName_;
  QLabel* outcome_;
  QLabel* details_;
  QTreeWidget* rows_;
  QListWidget* notes_;
};

}  // namespace tolmek
