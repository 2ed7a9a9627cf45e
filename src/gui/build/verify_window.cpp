// TVerifyWindow: the report laid out as an outcome line, a table of findings and a list of notes.
#include "gui/build/verify_window.h"

#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "gui/app/lang.h"

namespace tolmek {

namespace {

constexpr Caption kTexts[] = {
    {"Title", "Prüfbericht", "Verification report", "Rapporto di verifica"},
    {"Agree", "Übereinstimmung: Simulation und Chip zeigen dasselbe",
     "Agreement: the simulation and the chip show the same", "Concordanza: la simulazione e il chip mostrano lo stesso"},
    {"Differ", "Simulation und Chip weichen voneinander ab", "The simulation and the chip differ",
     "La simulazione e il chip differiscono"},
    {"BadBench", "Die Testbench kann nicht ausgeführt werden", "The test bench cannot be run",
     "Il banco di prova non può essere eseguito"},
    {"NotBuilt", "Das Programm konnte nicht erstellt werden", "The program could not be built",
     "Il programma non ha potuto essere compilato"},
    {"NotChecked", "Auf dem Chip nicht geprüft", "Not checked on the chip", "Non verificato sul chip"},
    {"Aborted", "Die Simulation wurde abgebrochen", "The simulation was aborted", "La simulazione è stata interrotta"},
    {"Span", "%1 ms in Schritten von %2 ms, Prüfung in %3 s", "%1 ms in steps of %2 ms, checked in %3 s",
     "%1 ms a passi di %2 ms, verificato in %3 s"},
    {"Took", "Prüfung in %1 s", "Checked in %1 s", "Verificato in %1 s"},
    {"ColKind", "Befund", "Finding", "Risultato"},
    {"ColLine", "Zeile", "Line", "Riga"},
    {"ColTime", "Zeit (ms)", "Time (ms)", "Tempo (ms)"},
    {"ColSignal", "Signal", "Signal", "Segnale"},
    {"ColExpected", "Erwartet", "Expected", "Atteso"},
    {"ColFound", "Gefunden", "Found", "Trovato"},
    {"ColSide", "Lauf", "Side", "Lato"},
    {"Divergence", "Erste Abweichung", "First divergence", "Prima divergenza"},
    {"Expectation", "Erwartung verfehlt", "Expectation failed", "Attesa non soddisfatta"},
    {"Simulation", "Simulation", "simulation", "simulazione"},
    {"Chip", "Chip", "chip", "chip"},
    {"Hint", "Doppelklick auf eine Zeile zeigt das Element des Signals im Plan",
     "Double-click a row to show the signal's element in the plan",
     "Doppio clic su una riga per mostrare l'elemento del segnale nello schema"},
};

constexpr int kSignalRole = Qt::UserRole + 1;

enum Column { kKind, kLine, kTime, kSignal, kExpected, kFound, kSide, kColumns };

QString Value(int64_t v) { return v == kUnknown ? QStringLiteral("–") : QString::number(v); }

}  // namespace

TVerifyWindow::TVerifyWindow(Language lang, QWidget* parent) : QWidget(parent), lang_(lang) {
  setObjectName("TVerifyWindow");
  setAttribute(Qt::WA_DeleteOnClose);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  outcome_ = new QLabel(this);
  outcome_->setObjectName("Outcome");
  outcome_->setWordWrap(true);
  outcome_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  QFont bold = outcome_->font();
  bold.setBold(true);
  outcome_->setFont(bold);
  details_ = new QLabel(this);
  details_->setObjectName("Details");
  rows_ = new QTreeWidget(this);
  rows_->setObjectName("Rows");
  rows_->setColumnCount(kColumns);
  rows_->setRootIsDecorated(false);
  rows_->setUniformRowHeights(true);
  rows_->setAlternatingRowColors(true);
  rows_->header()->setStretchLastSection(true);
  notes_ = new QListWidget(this);
  notes_->setObjectName("Notes");
  notes_->setWordWrap(true);
  layout->addWidget(outcome_);
  layout->addWidget(details_);
  layout->addWidget(rows_, 3);
  layout->addWidget(notes_, 2);
  connect(rows_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
    if (const QString signal = item ? SignalOf(*item) : QString(); !signal.isEmpty() && OpenSignal) OpenSignal(signal);
  });
  resize(620, 320);
  Fill();
}

QString TVerifyWindow::Text(const char* key) const { return TableText(kTexts, key, lang_); }

QString TVerifyWindow::SignalOf(const QTreeWidgetItem& row) { return row.data(kKind, kSignalRole).toString(); }

void TVerifyWindow::ShowReport(const VerifyReport& report, std::vector<std::string> messages, const QString& planName) {
  report_ = report;
  messages_ = std::move(messages);
  planName_ = planName;
  Fill();
}

void TVerifyWindow::SetLanguage(Language lang) {
  lang_ = lang;
  Fill();
}

void TVerifyWindow::Fill() {
  setWindowTitle(planName_.isEmpty() ? Text("Title") : Text("Title") + " - " + planName_);
  rows_->setToolTip(Text("Hint"));
  rows_->setHeaderLabels({Text("ColKind"), Text("ColLine"), Text("ColTime"), Text("ColSignal"), Text("ColExpected"),
                          Text("ColFound"), Text("ColSide")});

  static constexpr const char* kOutcomeKeys[] = {"Agree", "Differ", "BadBench", "NotBuilt", "NotChecked", "Aborted"};
  QString head = QString::fromStdString(report_.processor);
  if (!report_.gpsimModel.empty()) head += " (gpsim " + QString::fromStdString(report_.gpsimModel) + ")";
  if (!head.isEmpty()) head += ": ";
  outcome_->setText(head + Text(kOutcomeKeys[int(report_.outcome)]));
  const QString seconds = QString::number(report_.seconds, 'f', 1);
  if (!report_.simulated.rows.empty())
    details_->setText(Text("Span")
                          .arg(report_.simulated.MsOfRow(report_.simulated.rows.size() - 1))
                          .arg(report_.simulated.stepMs)
                          .arg(seconds));
  else if (report_.seconds > 0)
    details_->setText(Text("Took").arg(seconds));
  else
    details_->clear();  // nothing ran
  details_->setVisible(!details_->text().isEmpty());

  rows_->clear();
  auto add = [this](const QString& kind, int line, int64_t ms, int64_t within, const std::string& signal,
                    int64_t expected, int64_t found, const QString& side) {
    auto* item = new QTreeWidgetItem(rows_);
    item->setText(kKind, kind);
    item->setText(kLine, line > 0 ? QString::number(line) : QString());
    item->setText(kTime, within > 0 ? QString("%1 ±%2").arg(ms).arg(within) : QString::number(ms));
    item->setText(kSignal, QString::fromStdString(signal));
    item->setText(kExpected, Value(expected));
    item->setText(kFound, Value(found));
    item->setText(kSide, side);
    item->setData(kKind, kSignalRole, QString::fromStdString(signal));
    for (int c : {kLine, kTime, kExpected, kFound}) item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
  };
  // The simulation is the reference: at a divergence the chip is found to show something else.
  if (const auto& d = report_.divergence)
    add(Text("Divergence"), 0, d->ms, 0, d->signal, d->simulated, d->chip, Text("Chip"));
  for (const auto& [failures, side] : {std::pair{&report_.simulationFailures, "Simulation"},
                                       std::pair{&report_.chipFailures, "Chip"}})
    for (const FailedExpectation& f : *failures)
      add(Text("Expectation"), f.line.line, f.line.ms, f.line.withinMs, f.line.name, f.line.value, f.found, Text(side));
  for (int c = 0; c < kColumns; ++c) rows_->resizeColumnToContents(c);
  rows_->setVisible(rows_->topLevelItemCount() > 0);

  notes_->clear();
  for (const BenchProblem& p : report_.problems) notes_->addItem(QString::fromStdString(DescribeProblem(p, lang_)));
  for (const std::string& n : report_.notes) notes_->addItem(QString::fromStdString(n));
  for (const std::string& m : messages_) notes_->addItem(QString::fromStdString(m));
  notes_->setVisible(notes_->count() > 0);
}

}  // namespace tolmek
