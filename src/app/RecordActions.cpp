#include "app/RecordActions.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QStandardPaths>

#include "app/ReportWriter.h"
#include "record/Provenance.h"
#include "record/RecordReader.h"

namespace qxt::app {

RecordActions::RecordActions(model::RigProgram& program, QWidget* window)
    : QObject(window), program_(program), window_(window) {
  chooseSaveFile = [this](const QString& caption, const QString& filter) {
    return QFileDialog::getSaveFileName(window_, caption,
                                        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation), filter);
  };
  askName = [this](const QString& current) -> std::optional<QString> {
    bool ok = false;
    const QString name = QInputDialog::getText(window_, "Technician",
                                               "The technician named in the service record "
                                               "and its reports:",
                                               QLineEdit::Normal, current, &ok);
    return ok ? std::optional<QString>(name) : std::nullopt;
  };
}

HistoryWindow* RecordActions::ShowHistory() {
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

void RecordActions::SaveReport() {
  record::ServiceRecord& record = program_.record();
  int64_t session = record.session();
  if (session == 0 && record.on()) {
    const auto sessions = record::RecordReader(*record.database()).Sessions();
    if (!sessions.empty()) session = sessions.front().id;
  }
  SaveReport(session);
}

void RecordActions::SaveReport(int64_t session) {
  record::ServiceRecord& record = program_.record();
  if (!record.on()) return notice(record.problem());
  record::RecordReader reader(*record.database());
  if (!reader.Session(session)) return notice("Save report: the service record holds no session yet.");
  const QString path = chooseSaveFile(QString("Save the report of session %1").arg(session),
                                      "PDF documents (*.pdf);;HTML documents (*.html)");
  if (path.isEmpty()) return;
  const QString why = ReportWriter::SaveSession(reader, session, program_.main().Technician(), path);
  notice(why.isEmpty()
             ? "The report of session " + std::to_string(session) + " was saved as " + path.toStdString() + "."
             : "The report was not saved: " + why.toStdString());
}

void RecordActions::AskTechnician() {
  const auto name = askName(QString::fromStdString(program_.main().Technician()));
  if (!name) return;
  program_.main().Technician(name->trimmed().toStdString());
  program_.main().saveData(program_.profMain());
}

QString RecordActions::Provenance(const Bytes& file) {
  record::ServiceRecord& record = program_.record();
  if (!record.on()) return {};
  record::RecordReader reader(*record.database());
  const auto session = reader.Session(record.session());
  return QString::fromStdString(record::ProvenanceNote(reader, file, session ? session->identity : ""));
}

}  // namespace qxt::app
