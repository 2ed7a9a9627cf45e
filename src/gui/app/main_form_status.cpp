// TMainForm: the status bar — hint line, processor summary, RAM and ROM gauges and "Refresh".
#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>
#include <QTemporaryDir>

#include "codegen/program_writer.h"
#include "codegen/processors.h"
#include "gui/app/main_form.h"

namespace tolmek {

namespace {

constexpr int kStatusHeight = 26;

// The gauge's look: its own background, a red bar, or a yellow one when more is used than fits.
void SetGauge(QProgressBar& bar, int used, int size, const char* background, const char* what) {
  const bool overflow = used > size;
  bar.setMaximum(std::max(1, size));
  bar.setValue(std::clamp(used, 0, std::max(1, size)));
  bar.setStyleSheet(QString("QProgressBar { background: %1; color: white; border: 1px solid gray; }"
                            "QProgressBar::chunk { background: %2; }")
                        .arg(background, overflow ? "yellow" : "red"));
  const QString hint = QString("%1: %2 (%3)").arg(what).arg(used).arg(size);
  // The figures are written on the gauge itself, so they need no hovering to be read.
  bar.setFormat(QString("%1 %2/%3").arg(what).arg(used).arg(size));
  bar.setToolTip(hint);
  bar.setStatusTip(hint);
}

QProgressBar* Gauge(QWidget* parent, const char* name) {
  auto* bar = new QProgressBar(parent);
  bar->setObjectName(name);
  bar->setTextVisible(true);
  bar->setAlignment(Qt::AlignCenter);
  bar->setFixedSize(120, 18);
  return bar;
}

}  // namespace

void TMainForm::BuildStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setFixedHeight(kStatusHeight);
  bar->setSizeGripEnabled(false);
  statusLine_ = new QLabel(bar);
  statusLine_->setObjectName("StatusLine");
  statusLine_->setStyleSheet("color: blue;");
  bar->addWidget(statusLine_, 1);
  processorPanel_ = new QLabel(bar);
  processorPanel_->setObjectName("Panel5");
  processorPanel_->setStyleSheet("color: maroon;");
  processorPanel_->setCursor(Qt::PointingHandCursor);
  processorPanel_->installEventFilter(this);
  bar->addPermanentWidget(processorPanel_);
  ramBar_ = Gauge(bar, "RAMbar");
  romBar_ = Gauge(bar, "rombar");
  bar->addPermanentWidget(ramBar_);
  bar->addPermanentWidget(romBar_);
  refreshPanel_ = new QLabel(bar);
  refreshPanel_->setObjectName("Panel6");
  refreshPanel_->setFrameShape(QFrame::StyledPanel);
  refreshPanel_->setCursor(Qt::PointingHandCursor);
  refreshPanel_->installEventFilter(this);
  bar->addPermanentWidget(refreshPanel_);
}

QString TMainForm::ProcessorSummary() const {
  const McuSettings& m = project_.Mcu;
  QString text = " " + QString::fromStdString(ProcessorDisplayName(m.ProcessorType));
  if (m.Watchdog) text += "-WDT";
  if (m.PowerUpTimer) text += "-POT";
  if (m.PullUps) text += "-PBPU";
  if (m.BrownOut) text += "-BOD";
  if (m.CodeProtect) text += "-CP";
  return text;
}

void TMainForm::RefreshStatus() {
  if (!processorPanel_) return;
  SyncModified();
  processorPanel_->setText(ProcessorSummary());
  Analysis& analysis = GetAnalysis();
  const ProcessorProps props = ProcessorPropertiesOf(project_.Mcu.ProcessorType, project_.Mcu.IcdMode);
  const int ramSize = analysis.RamSize() > 0 ? analysis.RamSize() : props.RamSize;
  const int romSize = analysis.RomSize() > 0 ? analysis.RomSize() : props.RomSize;
  SetGauge(*ramBar_, analysis.RamUsed(), ramSize, "teal", "RAM");
  SetGauge(*romBar_, analysis.RomUsed, romSize, "blue", "ROM");
}

void TMainForm::RunAnalysis() {
  GetAnalysis().RunAnalysis(false);
  RefreshStatus();
}

void TMainForm::RefreshRom() {
  if (project_.SimActive) return;
  // The preview is written where nothing else looks and removed with its folder.
  QTemporaryDir folder;
  ProgramWriter writer(project_, GetAnalysis());
  if (folder.isValid())
    writer.GeneratePreview(folder.path().toStdString());
  else
    writer.GenerateText();
  RefreshStatus();
}

}  // namespace tolmek
