#include "app/FileActions.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QStandardPaths>

#include "adjust/ImageBackup.h"
#include "adjust/ImageFile.h"
#include "app/ReportWriter.h"
#include "common/Common.h"
#include "common/Translate.h"
#include "record/Provenance.h"
#include "record/RecordReader.h"
#include "window/RestorePreview.h"

namespace qxt::app {

FileActions::FileActions(program::RigProgram& program, QWidget* window)
    : QObject(window), program_(program), window_(window) {
  chooseSaveFile = [this](const QString& caption, const QString& filter) {
    return QFileDialog::getSaveFileName(window_, caption,
                                        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation), filter);
  };
  askName = [this](const QString& current) -> std::optional<QString> {
    QInputDialog dialog(window_);
    dialog.setWindowTitle(tr("Technician"));
    dialog.setLabelText(tr("The technician named in the service record and its reports "
                           "(one line, at most %1 characters):")
                            .arg(kTechnicianMax));
    dialog.setTextValue(current);
    if (auto* edit = dialog.findChild<QLineEdit*>()) edit->setMaxLength(kTechnicianMax);
    return dialog.exec() == QDialog::Accepted ? std::optional<QString>(dialog.textValue()) : std::nullopt;
  };
  chooseImageFile = [this] {
    return QFileDialog::getOpenFileName(window_, tr("Restore image"),
                                        QString::fromStdString(adjust::ImageBackup::Directory()),
                                        tr("Radio images (*.bin);;All files (*)"));
  };
  chooseOpenFile = [this](const QString& caption) {
    return QFileDialog::getOpenFileName(window_, caption, QString::fromStdString(adjust::ImageBackup::Directory()),
                                        tr("Radio images (*.bin);;All files (*)"));
  };
  confirmRestore = [this](const RestoreDialog::Comparison& c) {
    RestoreDialog dialog(c, window_);
    return dialog.exec() == QDialog::Accepted;
  };
}

void FileActions::RestoreImage(const QString& given) {
  adjust::clsIndOp_RigK70R& op = program_.op();
  if (!op.RigK70RProp_EditEnabled() || op.work().restoring())
    return notice(tr("Restore image: connect to the radio first.").toStdString());
  const QString path = given.isEmpty() ? chooseImageFile() : given;
  if (path.isEmpty()) return;
  std::string why;
  const std::optional<Bytes> bytes = adjust::ImageFile::Load(path.toStdString(), why);
  if (!bytes) {
    common::MsgBoxError(common::Compose(common::TrNoop("qxt", "%1. Nothing was written."), {why}));
    return;
  }
  // Asked first, so that the technician is never shown a comparison that could not be written.
  if (auto refusal = op.work().RestoreRefusal(*bytes)) {
    program_.keeper().RestoreRefused(path.toStdString(), *refusal);
    common::MsgBoxError(*refusal);
    return;
  }
  const std::string kept = !op.work().connection().lastBackup().empty()
                               ? common::Compose(common::TrNoop("qxt",
                                                                "The radio's memory as read at Connect is kept as a "
                                                                "backup: %1."),
                                                 {op.work().connection().lastBackup()})
                               : common::TrNoop("qxt",
                                                "The radio's memory as read at Connect is kept in the service record "
                                                "(no backup file could be written).");
  const window::RestorePreview preview(program_.radio().eepImage().bytes(), *bytes, Provenance(*bytes).toStdString(),
                                       kept);
  const RestoreDialog::Comparison c{
      path,
      preview.radioRows(),
      preview.fileRows(),
      preview.bytesDiffering(),
      Provenance(*bytes),
      QString::fromStdString(common::Shown(preview.Summary(QFileInfo(path).fileName().toStdString())))};
  if (!confirmRestore(c)) return;
  if (auto refusal = op.work().StartRestore(*bytes, path.toStdString())) notice(*refusal);
}

ImageWindow* FileActions::OpenImage(const QString& given) {
  const QString path = given.isEmpty() ? chooseOpenFile(tr("Open image")) : given;
  if (path.isEmpty()) return nullptr;
  std::string why;
  const auto image = adjust::ImageFile::Load(path.toStdString(), why);
  if (!image) {
    common::MsgBoxError(why);
    return nullptr;
  }
  Remember(path);
  auto* shown = new ImageWindow(path, *image, window_);
  shown->compareRadio = [this](ImageWindow* w) {
    if (!program_.op().RigK70RProp_EditEnabled())
      return notice(tr("Compare with the radio: connect to the radio first.").toStdString());
    w->CompareWith(tr("Radio"), program_.radio().eepImage().bytes());
  };
  shown->compareFile = [this](ImageWindow* w) {
    const QString other = chooseOpenFile(tr("Compare with a file"));
    if (other.isEmpty()) return;
    std::string why;
    if (const auto bytes = adjust::ImageFile::Load(other.toStdString(), why)) {
      w->CompareWith(QFileInfo(other).fileName(), *bytes);
    } else {
      common::MsgBoxError(why);
    }
  };
  shown->restore = [this](ImageWindow* w) { RestoreImage(w->path()); };
  shown->show();
  return shown;
}

QStringList FileActions::RecentImages() const {
  QStringList files;
  for (int i = 1; i <= kRecentMax; ++i) {
    const std::string path = program_.profMain().ReadKey("RECENT", "File" + std::to_string(i), "");
    if (!path.empty()) files << QString::fromStdString(path);
  }
  return files;
}

// Newest first, each file once; kept in the options at once, so a crash loses none.
void FileActions::Remember(const QString& path) {
  QStringList files = RecentImages();
  const QString absolute = QFileInfo(path).absoluteFilePath();
  files.removeAll(absolute);
  files.prepend(absolute);
  while (files.size() > kRecentMax) files.removeLast();
  for (int i = 0; i < kRecentMax; ++i) {
    program_.profMain().WriteKey("RECENT", "File" + std::to_string(i + 1),
                                 i < files.size() ? files[i].toStdString() : "");
  }
  if (recentChanged) recentChanged(files);
}

void FileActions::ShowServiceRecord() {
  QMessageBox::information(window_, tr("Service record"), QString::fromStdString(program_.record().Describe()));
}

HistoryWindow* FileActions::ShowHistory() {
  if (history_ == nullptr) {
    history_ = new HistoryWindow(program_.record(), window_);
    history_->setAttribute(Qt::WA_DeleteOnClose);
    history_->chooseSaveFile = [this](const QString& caption, const QString& filter) {
      return chooseSaveFile(caption, filter);
    };
    history_->saveReport = [this](int64_t session) { SaveReport(session); };
  } else {
    history_->Refresh();
  }
  history_->show();
  history_->raise();
  history_->activateWindow();
  return history_;
}

void FileActions::SaveReport() {
  record::ServiceRecord& record = program_.record();
  int64_t session = record.session();
  if (session == 0 && record.on()) {
    try {
      const auto newest = record.localReader().Page({}, 0, 1);
      if (!newest.sessions.empty()) session = newest.sessions.front().id;
    } catch (const std::exception& e) {
      return notice(tr("The service record cannot be read (%1).").arg(e.what()).toStdString());
    }
  }
  if (!record.on()) return notice(record.problem());
  SaveReportFrom(record.localReader(), session);  // this bench's own session, numbered as it is here
}

// A session of the history window: the shop's record when it shows the shop's.
void FileActions::SaveReport(int64_t session) {
  record::ServiceRecord& record = program_.record();
  if (!record.on()) return notice(record.problem());
  SaveReportFrom(record.reader(), session);
}

void FileActions::SaveReportFrom(const record::RecordReader& reader, int64_t session) {
  try {
    if (!reader.Session(session))
      return notice(tr("Save report: the service record holds no session yet.").toStdString());
  } catch (const std::exception& e) {
    return notice(tr("The service record cannot be read (%1).").arg(e.what()).toStdString());
  }
  const QString path = chooseSaveFile(tr("Save the report of session %1").arg(session),
                                      tr("PDF documents (*.pdf);;HTML documents (*.html)"));
  if (path.isEmpty()) return;
  const QString why = ReportWriter::SaveSession(reader, session, program_.main().technician(), path);
  notice(why.isEmpty() ? tr("The report of session %1 was saved as %2.").arg(session).arg(path).toStdString()
                       : tr("The report was not saved: %1").arg(why).toStdString());
}

// One line: pasted line breaks, tabs and other control characters become single spaces.
void FileActions::AskTechnician() {
  const auto typed = askName(QString::fromStdString(program_.main().technician()));
  if (!typed) return;
  QString name;
  for (const QChar c : *typed) name += c.category() == QChar::Other_Control ? QChar(' ') : c;
  name = name.simplified();
  if (name.size() > kTechnicianMax) {
    return notice(tr("Technician: a name has at most %1 characters; this one has %2 and was not saved.")
                      .arg(kTechnicianMax)
                      .arg(name.size())
                      .toStdString());
  }
  program_.main().setTechnician(name.toStdString());
  program_.main().saveData(program_.profMain());
}

QString FileActions::Provenance(const Bytes& file) {
  record::ServiceRecord& record = program_.record();
  if (!record.on()) return {};
  try {
    const record::RecordReader& reader = record.localReader();
    const auto session = reader.Session(record.session());
    return QString::fromStdString(record::ProvenanceNote(reader, file, session ? session->identity : ""));
  } catch (const std::exception&) {
    return {};  // a record this program cannot read knows nothing of the file
  }
}

}  // namespace qxt::app
