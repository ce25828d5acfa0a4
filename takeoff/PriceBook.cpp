#include "PriceBook.h"
#include "PathBytes.h"

#include "AtomicFile.h"
#include "Cp932.h"
#include "Error.h"
#include "Summary.h"
#include "Utf8.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringDecoder>
#include <map>

namespace estimate {

namespace {

enum Col { kKey, kKind, kName, kGrade, kUnit, kPrice, kNote, kDigits, kRounding, kColCount };
constexpr int kRequired = kDigits; // 数位 and 端数処理 may be left out

const QStringList kColumnNames = {U("キー"), U("工種"), U("名称"), U("規格"), U("単位"),
                                  U("単価"), U("摘要"), U("数位"), U("端数処理")};

// One CSV record with the line it starts on. RFC 4180: quoted fields may hold
// commas, doubled quotes and line breaks.
struct Record {
    QStringList fields;
    int line = 0;
};

std::vector<Record> SplitCsv(const QString& text) {
    std::vector<Record> out;
    Record rec{{}, 1};
    QString field;
    bool quoted = false, any = false;
    int line = 1;
    const auto endRecord = [&] {
        rec.fields << field;
        out.push_back(rec);
        rec = Record{{}, line};
        field.clear();
        any = false;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"')
                field += c, ++i;
            else if (c == u'"')
                quoted = false;
            else {
                if (c == u'\n')
                    ++line;
                field += c;
            }
        } else if (c == u'"')
            quoted = true, any = true;
        else if (c == u',')
            rec.fields << field, field.clear(), any = true;
        else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            ++line;
            endRecord();
        } else
            field += c, any = true;
    }
    if (any || !field.isEmpty() || !rec.fields.isEmpty())
        endRecord();
    return out;
}

// A text written with a leading ' so that a spreadsheet keeps it as text.
QString Unguard(QString text) {
    text = text.trimmed();
    if (text.size() > 1 && text.front() == u'\'' && QStringLiteral("=+-@").contains(text[1]))
        text.remove(0, 1);
    return text;
}

class Reader {
  public:
    Reader(PriceBook& book) : book_(book) {}

    void Read(const std::vector<Record>& records) {
        std::size_t first = 0;
        while (first < records.size() && Blank(records[first]))
            ++first;
        if (first == records.size())
            return Problem(1, -1, U("空のファイルです（見出し行「キー,工種,名称,規格,単位,単価,摘要」がありません）"));
        if (!Header(records[first]))
            return;
        for (std::size_t r = first + 1; r < records.size(); ++r)
            if (!Blank(records[r]))
                Row(records[r]);
    }

  private:
    static bool Blank(const Record& r) {
        for (const QString& f : r.fields)
            if (!f.trimmed().isEmpty())
                return false;
        return true;
    }

    void Problem(int line, int col, const QString& text) {
        QString where = U("単価表【") + QDir::toNativeSeparators(book_.path) + U("】") +
                        QString::number(line) + U("行目");
        if (col >= 0)
            where += QString::number(col + 1) + U("列目");
        if (col >= 0 && col < kColCount && at_[col] >= 0)
            where += U("（") + kColumnNames[col] + U("）");
        book_.problems << where + U("：") + text;
    }

    bool Header(const Record& r) {
        at_.fill(-1);
        for (int i = 0; i < r.fields.size(); ++i) {
            const int c = static_cast<int>(kColumnNames.indexOf(Unguard(r.fields[i])));
            if (c >= 0 && at_[c] < 0)
                at_[c] = i;
        }
        QStringList missing;
        for (int c = 0; c < kRequired; ++c)
            if (at_[c] < 0)
                missing << kColumnNames[c];
        if (!missing.isEmpty())
            Problem(r.line, -1, U("列がありません：") + missing.join(U("、")));
        if (at_[kKey] < 0 || at_[kPrice] < 0) {
            book_.problems.last() += U("（単価は読めません）");
            return false;
        }
        return true;
    }

    QString Field(const Record& r, Col c) const {
        return at_[c] >= 0 && at_[c] < r.fields.size() ? Unguard(r.fields[at_[c]]) : QString();
    }
    int Column(Col c) const { return at_[c]; }

    // Whole yen, or hundredths of a percent for a rate: "1,200", "15.5".
    std::optional<std::int64_t> Number(const Record& r, Col c, int decimals, const QString& what) {
        QString t = Field(r, c);
        t.remove(u',').remove(u'，').remove(U("円")).remove(u'%').remove(u'％');
        t = t.normalized(QString::NormalizationForm_KC).trimmed();
        const qsizetype dot = t.indexOf(u'.');
        QString whole = dot < 0 ? t : t.left(dot), frac = dot < 0 ? QString() : t.mid(dot + 1);
        while (frac.endsWith(u'0'))
            frac.chop(1);
        bool ok = !whole.isEmpty() && frac.size() <= decimals && whole.size() <= 12;
        for (const QChar ch : whole + frac)
            ok = ok && ch.isDigit() && ch.unicode() < 0x80;
        if (!ok) {
            const bool negative = t.startsWith(u'-');
            Problem(r.line, Column(c),
                    what + (negative ? U("が負です「") : U("が数値ではありません「")) + Field(r, c) +
                        U("」"));
            return std::nullopt;
        }
        std::int64_t v = whole.toLongLong();
        for (int i = 0; i < decimals; ++i)
            v = v * 10 + (i < frac.size() ? frac[i].digitValue() : 0);
        return v;
    }

    std::optional<DigitRule> Digits(const Record& r, const QString& kind, const QString& unit) {
        const QString d = Field(r, Col(kDigits)).normalized(QString::NormalizationForm_KC);
        const QString how = Field(r, Col(kRounding));
        if (d.isEmpty() && how.isEmpty())
            return std::nullopt;
        bool ok = false;
        const int digits = d.toInt(&ok);
        if (!ok || digits < -3 || digits > 2) {
            Problem(r.line, Column(Col(kDigits)),
                    U("数位は小数以下の桁数（-3～2）で書いて下さい「") + d + U("」"));
            return std::nullopt;
        }
        const auto rounding = how.isEmpty() ? Rounding::HalfUp : RoundingNamed(how);
        if (!rounding) {
            Problem(r.line, Column(Col(kRounding)),
                    U("端数処理は「四捨五入」「切り捨て」「切り上げ」のどれかです「") + how + U("」"));
            return std::nullopt;
        }
        return DigitRule{kind, unit, digits, *rounding};
    }

    void RateRow(const Record& r, const QString& key, std::optional<Rate>& into) {
        if (into)
            return Problem(r.line, Column(kKey), U("「") + key + U("」が二度あります（") +
                                                   QString::number(seen_[Canonical(key)]) +
                                                   U("行目を使います）"));
        seen_[Canonical(key)] = r.line;
        const auto rate = Number(r, kPrice, 2, U("率"));
        if (!rate)
            return;
        const QString name = Field(r, kName);
        into = Rate{name.isEmpty() ? key : name, *rate, Field(r, kNote)};
    }

    // The unit a summary quantity is counted in, or nothing for a finish or
    // an unknown key.
    static std::optional<QString> ColumnUnit(const QString& canonicalKey) {
        for (const summary::Column& c : summary::Columns())
            if (Canonical(U(c.name)) == canonicalKey)
                return U(c.unit);
        return std::nullopt;
    }

    void Row(const Record& r) {
        const QString key = Field(r, kKey), kind = Field(r, kKind), unit = Field(r, kUnit);
        const QString ck = Canonical(key);
        if (key.isEmpty())
            return Problem(r.line, Column(kKey), U("キーがありません（この行は使いません）"));
        if (ck == Canonical(U("数位"))) {
            if (unit.isEmpty())
                return Problem(r.line, Column(kUnit), U("数位の行に単位がありません"));
            if (const auto rule = Digits(r, kind, unit))
                book_.digits.push_back(*rule);
            return;
        }
        if (ck == Canonical(U("諸経費")))
            return RateRow(r, key, book_.overhead);
        if (ck == Canonical(U("消費税")))
            return RateRow(r, key, book_.tax);
        const bool finish = ck.startsWith(Canonical(U("仕上：")));
        const auto columnUnit = ColumnUnit(ck);
        if (!finish && !columnUnit)
            return Problem(r.line, Column(kKey), U("知らないキーです「") + key +
                                                   U("」（数量集計の列名か「仕上：仕上名」）"));
        if (finish && ck.size() == Canonical(U("仕上：")).size())
            return Problem(r.line, Column(kKey), U("仕上名がありません「") + key + U("」"));
        if (columnUnit && !unit.isEmpty() && Canonical(unit) != Canonical(*columnUnit))
            return Problem(r.line, Column(kUnit), U("「") + key + U("」の単位は") + *columnUnit +
                                                    U("です「") + unit + U("」"));
        if (finish && unit.isEmpty())
            return Problem(r.line, Column(kUnit), U("仕上の行に単位がありません"));
        const QString identity = ck + u'\t' + (finish ? Canonical(unit) : QString());
        if (const auto it = seen_.find(identity); it != seen_.end())
            return Problem(r.line, Column(kKey), U("キー「") + key + U("」が二度あります（") +
                                                   QString::number(it->second) +
                                                   U("行目を使います）"));
        seen_[identity] = r.line;
        PriceRow row{key, kind, Field(r, kName), Field(r, kGrade),
                     unit.isEmpty() ? columnUnit.value_or(QString()) : unit, std::nullopt,
                     Field(r, kNote), Digits(r, kind, unit), r.line};
        if (!Field(r, kPrice).isEmpty())
            row.price = Number(r, kPrice, 0, U("単価"));
        book_.rows.push_back(row);
    }

    PriceBook& book_;
    std::array<int, kColCount> at_{};
    std::map<QString, int> seen_;
};

// The text of the file: CP932 as Excel saves it. UTF-8 (with or without a
// byte order mark) is read too, but reported, since Excel would show it
// garbled.
QString Decode(const QByteArray& bytes, PriceBook& book) {
    const QString where = U("単価表【") + QDir::toNativeSeparators(book.path) + U("】1行目：");
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        book.problems << where + U("UTF-8（BOM付き）で保存されています。Excelで「CSV（コンマ区切り）」として保存し直して下さい");
        return QString::fromUtf8(bytes.mid(3));
    }
    const std::string raw = bytes.toStdString();
    if (yoheki::cp932::CanDecode(raw))
        return QString::fromStdString(yoheki::cp932::Decode(raw));
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError()) {
        book.problems << where + U("UTF-8で保存されています。Excelで「CSV（コンマ区切り）」として保存し直して下さい");
        return text;
    }
    book.problems << where + U("Shift-JIS（CP932）として読めない文字があります（〓の所）");
    return QString::fromStdString(yoheki::cp932::Decode(raw)).replace(QChar(0xFFFD), u'〓');
}

QString CsvText(const QString& text) {
    const bool formula = !text.isEmpty() && QStringLiteral("=+-@").contains(text.front());
    QString t = formula ? u'\'' + text : text;
    if (!t.contains(u',') && !t.contains(u'"') && !t.contains(u'\n') && !t.contains(u'\r'))
        return t;
    return u'"' + t.replace(QStringLiteral("\""), QStringLiteral("\"\"")) + u'"';
}

QString RateText(std::int64_t hundredths) {
    QString t = QString::number(hundredths / 100);
    if (hundredths % 100)
        t += u'.' + QStringLiteral("%1").arg(hundredths % 100, 2, 10, QLatin1Char('0'));
    while (t.contains(u'.') && t.endsWith(u'0'))
        t.chop(1);
    return t;
}

QString Line(const QStringList& fields) {
    QStringList out;
    for (const QString& f : fields)
        out << CsvText(f);
    return out.join(u',') + QStringLiteral("\r\n");
}

} // namespace

const QStringList& BookColumns() {
    return kColumnNames;
}

PriceBook ParsePriceBook(const QByteArray& bytes, const QString& path) {
    PriceBook book;
    book.path = path;
    const QString text = Decode(bytes, book);
    Reader(book).Read(SplitCsv(text));
    return book;
}

PriceBook ReadPriceBook(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        PriceBook book;
        book.path = path;
        book.problems << U("単価表【") + QDir::toNativeSeparators(path) + U("】を読めません：") +
                             file.errorString();
        return book;
    }
    return ParsePriceBook(file.readAll(), path);
}

QList<QStringList> ReadBookTable(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    PriceBook ignored;
    const std::vector<Record> records = SplitCsv(Decode(file.readAll(), ignored));
    QList<QStringList> rows;
    std::vector<int> at;
    for (const Record& r : records) {
        if (at.empty()) { // the header: where each column stands
            for (const QString& name : kColumnNames)
                at.push_back(static_cast<int>(r.fields.indexOf(name)));
            continue;
        }
        QStringList row;
        for (const int i : at)
            row << (i >= 0 && i < r.fields.size() ? Unguard(r.fields[i]) : QString());
        if (!row.join(QString()).trimmed().isEmpty())
            rows << row;
    }
    return rows;
}

QByteArray BookTableBytes(const QList<QStringList>& rows) {
    QString out = Line(kColumnNames);
    for (const QStringList& r : rows)
        out += Line(r);
    return QByteArray::fromStdString(yoheki::cp932::Encode(out.toStdString()));
}

QByteArray PriceBookBytes(const PriceBook& book) {
    QString out = Line(kColumnNames);
    for (const PriceRow& r : book.rows) {
        const QString price = r.price ? QString::number(*r.price) : QString();
        const QString digits = r.digits ? QString::number(r.digits->digits) : QString();
        const QString how = r.digits ? RoundingName(r.digits->rounding) : QString();
        out += Line({r.key, r.kind, r.name, r.grade, r.unit, price, r.note, digits, how});
    }
    const auto rate = [&](const std::optional<Rate>& rt, const char* key) {
        if (rt)
            out += Line({U(key), QString(), rt->name, QString(), U("％"),
                         RateText(rt->hundredthsPercent), rt->note, QString(), QString()});
    };
    rate(book.overhead, "諸経費");
    rate(book.tax, "消費税");
    for (const DigitRule& d : book.digits)
        out += Line({U("数位"), d.kind, QString(), QString(), d.unit, QString(), QString(),
                     QString::number(d.digits), RoundingName(d.rounding)});
    return QByteArray::fromStdString(yoheki::cp932::Encode(out.toStdString()));
}

std::optional<QString> SavePriceBook(const PriceBook& book, const QString& path) {
    try {
        const QByteArray bytes = PriceBookBytes(book);
        yoheki::SaveAtomically(yoheki::PathBytes(path), bytes.toStdString());
        return std::nullopt;
    } catch (const yoheki::Error& e) {
        return QString::fromUtf8(e.what());
    }
}

QString RoundingName(Rounding rounding) {
    switch (rounding) {
    case Rounding::Down:
        return U("切り捨て");
    case Rounding::Up:
        return U("切り上げ");
    default:
        return U("四捨五入");
    }
}

std::optional<Rounding> RoundingNamed(const QString& name) {
    const QString n = Canonical(name);
    if (n == U("四捨五入"))
        return Rounding::HalfUp;
    if (n == U("切り捨て") || n == U("切捨て") || n == U("切捨"))
        return Rounding::Down;
    if (n == U("切り上げ") || n == U("切上げ") || n == U("切上"))
        return Rounding::Up;
    return std::nullopt;
}

QString Canonical(const QString& text) {
    QString t = text.normalized(QString::NormalizationForm_KC);
    t.remove(u' ').remove(u'\t');
    t.replace(u':', u'：'); // NFKC made the full-width colon ASCII; keep one form
    return t;
}

QString FinishKey(const QString& finishName) {
    return U("仕上：") + finishName;
}

QString ProjectBookPath(const QString& projectPath) {
    const QFileInfo info(projectPath);
    return info.dir().filePath(info.completeBaseName() + U("_単価.csv"));
}

QString UserBookPath() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath(U("yoheki/単価表.csv"));
}

QString DeliveredBookPath(const QString& bundledDir) {
    const QString path = QDir(bundledDir).filePath(U("単価表.csv"));
    return !bundledDir.isEmpty() && QFileInfo(path).isFile() ? path : QString();
}

QString BookFor(const QString& projectPath, const QString& bundledDir) {
    if (!projectPath.isEmpty() && QFileInfo(ProjectBookPath(projectPath)).isFile())
        return ProjectBookPath(projectPath);
    if (QFileInfo(UserBookPath()).isFile())
        return UserBookPath();
    return DeliveredBookPath(bundledDir);
}

bool EnsureUserBook(const QString& bundledDir) {
    const QString target = UserBookPath();
    if (QFileInfo(target).isFile())
        return true;
    const QString source = DeliveredBookPath(bundledDir);
    if (source.isEmpty() || !QDir().mkpath(QFileInfo(target).absolutePath()))
        return false;
    if (!QFile::copy(source, target))
        return false;
    return QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner |
                                             QFile::ReadGroup | QFile::ReadOther);
}

} // namespace estimate
