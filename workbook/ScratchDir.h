#pragma once
// A folder of this process's own in the system's temporary folder, for a
// library that spills its work to temporary files (the workbook writer).
// It goes when the work is done; folders left by processes that were killed
// are removed by the next one that makes its own.
#include <QString>
#include <QTemporaryDir>

namespace workbook {

class ScratchDir {
  public:
    ScratchDir();
    bool isValid() const { return dir_.isValid(); }
    QString path() const { return dir_.path(); }
    QString errorString() const { return dir_.errorString(); }

    // Removes the scratch folders under `temp` whose process has ended.
    static void RemoveAbandoned(const QString& temp);

  private:
    QTemporaryDir dir_;
};

} // namespace workbook
