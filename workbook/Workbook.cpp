#include "Workbook.h"

#include "AtomicFile.h"
#include "Error.h"
#include "PathBytes.h"
#include "ScratchDir.h"
#include "SystemReason.h"
#include "SheetNames.h"
#include "Sheets.h"
#include "Utf8.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <cerrno>
#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace workbook {

namespace {

// The name the library opens its file by. On Windows it takes the ANSI code
// page, which may not hold the folder's name; the short name of the existing
// file is plain ASCII there.
QByteArray LibraryFileName(const QString& path) {
#ifdef Q_OS_WIN
    const std::wstring wide = QDir::toNativeSeparators(path).toStdWString();
    std::wstring shortName(MAX_PATH, L'\0');
    const DWORD n = GetShortPathNameW(wide.c_str(), shortName.data(), MAX_PATH);
    if (n > 0 && n < MAX_PATH)
        return QString::fromWCharArray(shortName.c_str(), static_cast<int>(n)).toLocal8Bit();
    return QDir::toNativeSeparators(path).toLocal8Bit();
#else
    return QFile::encodeName(path);
#endif
}

// Another program holding the file open leaves its lock file beside it:
// LibreOffice ".~lock.NAME#", Excel "~$NAME".
bool OpenElsewhere(const QFileInfo& target) {
    const QDir dir = target.absoluteDir();
    return dir.exists(QStringLiteral(".~lock.") + target.fileName() + u'#') ||
           dir.exists(QStringLiteral("~$") + target.fileName());
}

// Why the file cannot be written, known before anything is built.
std::optional<QString> Refusal(const QFileInfo& target) {
    if (!target.absoluteDir().exists())
        return U("フォルダ【") + target.absolutePath() + U("】がありません");
    if (target.isDir())
        return U("同じ名前のフォルダがあります");
    if (OpenElsewhere(target))
        return U("他のプログラムで開かれています\n\rそのプログラムで閉じてから保存して下さい");
    if (target.exists() && !target.isWritable())
        return U("書き込みが禁止されています");
    return std::nullopt;
}

// A sheet by a name already made valid; nothing when the library refuses it.
lxw_worksheet* AddSheet(lxw_workbook* wb, const QString& name, QStringList& refused) {
    lxw_worksheet* ws = workbook_add_worksheet(wb, name.toUtf8().constData());
    if (!ws)
        refused << name;
    return ws;
}

// Every sheet; the names the library refused, which should be none.
// With `spent`, the table itself: each item's statement is let go once its
// sheet holds a copy.
QStringList Build(lxw_workbook* wb, const QString& project, const summary::Table& table,
                  const QDate& date, const compare::Comparison* comparison,
                  const estimate::Estimate* estimate, summary::Table* spent) {
    const Styles styles(wb);
    QByteArray title = (SummarySheetName() + U("　") + project).toUtf8();
    lxw_doc_properties properties{};
    properties.title = title.data();
    workbook_set_properties(wb, &properties);
    QStringList refused;
    // The priced estimate is what goes to the client: it opens first.
    if (estimate)
        if (lxw_worksheet* ws = AddSheet(wb, EstimateSheetName(), refused))
            WriteEstimateSheet(ws, wb, styles, project, *estimate, date);
    if (lxw_worksheet* ws = AddSheet(wb, SummarySheetName(), refused))
        WriteSummarySheet(ws, styles, project, table, date);
    if (comparison)
        if (lxw_worksheet* ws = AddSheet(wb, ComparisonSheetName(), refused))
            WriteComparisonSheet(ws, styles, project, *comparison);
    if (lxw_worksheet* ws = AddSheet(wb, FinishSheetName(), refused))
        WriteFinishSheet(ws, styles, project, table);
    std::vector<std::size_t> calculated;
    QStringList names;
    for (std::size_t i = 0; i < table.items.size(); ++i)
        if (table.items[i].quantities) {
            calculated.push_back(i);
            names << table.items[i].name;
        }
    const QStringList sheets =
        SheetNames(names, {SummarySheetName(), FinishSheetName(), ComparisonSheetName(),
                           EstimateSheetName()});
    for (std::size_t i = 0; i < calculated.size(); ++i) {
        if (lxw_worksheet* ws = AddSheet(wb, sheets[static_cast<qsizetype>(i)], refused))
            WriteItemSheet(ws, styles, table.items[calculated[i]]);
        if (spent)
            spent->items[calculated[i]].statement = QStringList();
    }
    return refused;
}

} // namespace

QString SummarySheetName() {
    return U("数量総括表");
}

QString ComparisonSheetName() {
    return U("数量比較");
}

QString EstimateSheetName() {
    return U("内訳書");
}

QString FinishSheetName() {
    return U("仕上集計");
}

namespace {

// The library's failure, in the user's words.
QString LibraryReason(lxw_error e, int err) {
    if (err == ENOSPC || err == EFBIG
#ifdef EDQUOT // not on Windows
        || err == EDQUOT
#endif
    )
        return QString::fromStdString(yoheki::SystemReason(err));
    switch (e) {
    case LXW_ERROR_MEMORY_MALLOC_FAILED:
        return U("メモリが足りません");
    case LXW_ERROR_CREATING_XLSX_FILE:
    case LXW_ERROR_CREATING_TMPFILE:
    case LXW_ERROR_READING_TMPFILE:
    case LXW_ERROR_ZIP_FILE_OPERATION:
    case LXW_ERROR_ZIP_FILE_ADD:
    case LXW_ERROR_ZIP_CLOSE:
        return U("作業用のファイルを書けません（ディスクの空きが足りない可能性があります）");
    default:
        return U("Excelファイルを作れません（") + QString::fromUtf8(lxw_strerror(e)) + U("）");
    }
}

// Where the library writes each part of the package before zipping it: one
// part at a time, each file created and unlinked at once. A disk's file
// system makes ten thousand such files (one per sheet) dearer than the
// writing; Linux's memory file system takes them when it has ample room
// for the largest part, the summary sheet or the strings of all sheets.
QString PartsFolder(const QString& scratch, const summary::Table& table) {
#ifdef Q_OS_LINUX
    const QString memory = QStringLiteral("/dev/shm");
    const qint64 largestPart = 4096 * static_cast<qint64>(table.items.size());
    const QStorageInfo storage(memory);
    if (QFileInfo(memory).isDir() && QFileInfo(memory).isWritable() && storage.isValid() &&
        storage.bytesAvailable() > 4 * largestPart + (64 << 20))
        return memory;
#else
    Q_UNUSED(table);
#endif
    return scratch;
}

// The library builds the workbook, and spills its work, in a folder of this
// process's own: a run that is killed leaves nothing beside the target, and
// the next run removes the folder.
std::optional<QString> BuildInScratch(const QString& scratch, QByteArray& bytes,
                                      const QString& project, const summary::Table& table,
                                      const QDate& date, const compare::Comparison* comparison,
                                      const estimate::Estimate* estimate, summary::Table* spent) {
    const QString part = scratch + U("/workbook.xlsx");
    // The library opens its files by narrow names: the folder's name as the
    // system gives it, the file's own name plain ASCII.
    const QByteArray partName = LibraryFileName(scratch) + "/workbook.xlsx";
    QByteArray tmpdir = LibraryFileName(PartsFolder(scratch, table));
    lxw_workbook_options options{};
    options.tmpdir = tmpdir.data();
    lxw_workbook* wb = workbook_new_opt(partName.constData(), &options);
    if (!wb)
        return U("作業用のファイルを開けません");
    const QStringList refused = Build(wb, project, table, date, comparison, estimate, spent);
    errno = 0;
    if (const lxw_error e = workbook_close(wb); e != LXW_NO_ERROR)
        return LibraryReason(e, errno);
    if (!refused.isEmpty())
        return U("シート名にできません：") + refused.join(U("、"));
    QFile built(part);
    if (!built.open(QIODevice::ReadOnly))
        return built.errorString();
    bytes = built.readAll();
    return std::nullopt;
}

} // namespace

namespace {

std::optional<QString> Write(const QString& path, const QString& projectName,
                             const summary::Table& table, const QDate& date,
                             const compare::Comparison* comparison,
                             const estimate::Estimate* estimate, summary::Table* spent) {
    const QFileInfo target(QFileInfo(path).absoluteFilePath());
    const QString cannot = U("Excelファイル【") + target.filePath() + U("】に保存できません\n\r");
    if (auto refusal = Refusal(target))
        return cannot + *refusal;
    const ScratchDir scratch;
    if (!scratch.isValid())
        return cannot + U("一時フォルダ【") + QDir::tempPath() + U("】に作業用のフォルダを作れません（") +
               scratch.errorString() + U("）");
    QByteArray bytes;
    if (auto why = BuildInScratch(scratch.path(), bytes, projectName, table, date, comparison,
                                  estimate, spent))
        return cannot + *why;
    // Put in place by the program's one save: a link to a shared workbook is
    // followed, owner and permissions kept, the folder flushed.
    try {
        yoheki::SaveAtomically(yoheki::PathBytes(target.filePath()),
                               std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    } catch (const yoheki::SaveError& e) {
        return cannot + U("フォルダ【") + target.absolutePath() + U("】に書き込めません（") +
               QString::fromStdString(e.reason().empty() ? yoheki::SystemReason(e.code()) : e.reason()) +
               U("）");
    }
    return std::nullopt;
}

} // namespace

std::optional<QString> WriteWorkbook(const QString& path, const QString& projectName,
                                     const summary::Table& table, const QDate& date,
                                     const compare::Comparison* comparison,
                                     const estimate::Estimate* estimate) {
    return Write(path, projectName, table, date, comparison, estimate, nullptr);
}

std::optional<QString> WriteWorkbook(const QString& path, const QString& projectName,
                                     summary::Table&& table, const QDate& date,
                                     const compare::Comparison* comparison,
                                     const estimate::Estimate* estimate) {
    return Write(path, projectName, table, date, comparison, estimate, &table);
}

} // namespace workbook
