// yoheki-batch dxf read back by a real DXF reader (ezdxf): the layers, one
// block per item inserted side by side, and each item's concrete body full
// size in millimetres as typed.
#include "BatchFixture.h"

#include "CLF.h"
#include "IniFile.h"
#include "ItemRecord.h"

#include <QRegularExpression>

namespace {

constexpr const char* kSample = "見本工事.Fa1";

class DxfTest : public BatchFixture {
  protected:
    // The reader's report: one line per block and layer.
    QStringList ReadBack(const QString& dxf) {
        QProcess p;
        p.start(QStringLiteral(YOHEKI_PYTHON3),
                {QStringLiteral(YOHEKI_TESTS_DIR "/batch/check_dxf.py"), dxf});
        EXPECT_TRUE(p.waitForFinished(60000));
        EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
        return QString::fromUtf8(p.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    }
};

std::int64_t Mm(const takeoff::ItemRecord& r, int edit) {
    return yoheki::StrToMm(r.REdit[edit], nullptr);
}

TEST_F(DxfTest, SampleReadsBackFullSizeWithLayersAndOneBlockPerItem) {
#ifdef Q_OS_WIN
    GTEST_SKIP() << "the reader is Linux's Python; wine-test.sh compares this build's file with Linux's";
#endif
    CopyData({kSample});
    const QByteArray project = Read(Path(U(kSample)));
    const Result r = Run({"dxf", U(kSample), "-o", "s.dxf"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(Read(Path(U(kSample))), project);
    const QStringList lines = ReadBack(Path(U("s.dxf")));
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_EQ(lines[0], U("AC1009 cp932 4 0 地業 寸法 根切 注記 躯体"));

    const yoheki::IniFile ini(Path(U(kSample)).toStdString());
    const std::vector<std::string> names = ini.ReadSections();
    EXPECT_EQ(lines.filter(QRegularExpression(U("^INSERT\t"))).size(), qsizetype(names.size()));
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        const takeoff::ItemRecord item = takeoff::ReadItem(ini, name);
        const QString block = QString::fromStdString(name) + u'\t';
        QStringList body = lines.filter(QRegularExpression(U("^") + QRegularExpression::escape(block) + U("躯体\t")));
        ASSERT_EQ(body.size(), 1);
        const QStringList box = body[0].section(u'\t', 3).split(u' ');
        const double width = box[2].toDouble() - box[0].toDouble();
        const double height = box[3].toDouble() - box[1].toDouble();
        const std::int64_t blocks = item.blocks && !item.base && !item.ditch ? Mm(item, 11) : 0;
        // Base width across (a base's plan under its section, edges in line);
        // underside to the top of the wall (a ditch's top is its height).
        EXPECT_DOUBLE_EQ(width, double(Mm(item, 7)));
        if (!item.base) {
            EXPECT_DOUBLE_EQ(height, double((item.ditch ? 0 : Mm(item, 2)) + Mm(item, 4) + blocks));
        }
        for (const char* layer : {"地業", "根切", "寸法", "注記"})
            EXPECT_EQ(lines.filter(block + U(layer) + u'\t').size(), 1) << layer;
    }
}

TEST_F(DxfTest, OneItemAndBadRequests) {
    CopyData({kSample});
    Result r = Run({"dxf", U(kSample), "--item", U("Ｕ字側溝　Ｕ－３００"), "-o", "u.dxf"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
#ifndef Q_OS_WIN // the reader is Linux's Python
    EXPECT_EQ(ReadBack(Path(U("u.dxf"))).filter(U("INSERT")).size(), 1);
#endif
    r = Run({"dxf", U(kSample), "--item", U("無い拾い"), "-o", "n.dxf"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(QString::fromUtf8(r.err).contains(U("無い拾い")));
    EXPECT_FALSE(QFile::exists(Path(U("n.dxf"))));
    EXPECT_EQ(Run({"dxf", U(kSample)}).status, 2); // no -o
    const QByteArray project = Read(Path(U(kSample)));
    EXPECT_NE(Run({"dxf", U(kSample), "-o", U(kSample)}).status, 0); // never onto the project
    EXPECT_EQ(Read(Path(U(kSample))), project);
}

} // namespace
