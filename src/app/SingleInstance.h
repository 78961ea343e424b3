#pragma once
// One running copy per user and display: a lock file in the user's runtime directory. A lock
// left by a copy that died is taken over at once.

#include <QLockFile>
#include <QString>
#include <memory>
#include <string>

namespace qxt::app {

class SingleInstance {
 public:
  explicit SingleInstance(const QString& name = "qxt7130-adj");
  // False while another live copy holds the lock.
  bool tryLock();
  QString lockPath() const { return path_; }

  static QString DisplayName();
  // The two lines a second start shows before it ends.
  static std::string RefusalMessage();

 private:
  QString path_;
  std::unique_ptr<QLockFile> lock_;
};

}  // namespace qxt::app
