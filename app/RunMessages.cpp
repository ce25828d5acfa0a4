#include "RunMessages.h"

#include "CLF.h"
#include "Checks.h"
#include "Utf8.h"

namespace {

// A message on one line of a report.
QString OneLine(QString text) {
    text.replace(QStringLiteral("\n\r"), QStringLiteral(" "));
    text.replace(u'\n', u' ').replace(u'\r', u' ');
    return text.simplified();
}

} // namespace

yoheki::MessageFn RunMessages::Sink() {
    return [this](const std::string& text) { Add(QString::fromStdString(text)); };
}

void RunMessages::Add(const QString& text) {
    said_ << text;
}

QStringList RunMessages::Digest(const engine::Snapshot& snapshot) const {
    QStringList out, seen;
    for (const QString& text : said_) {
        if (seen.contains(text))
            continue;
        seen << text;
        QStringList fields;
        if (text == U(yoheki::kMmMessage))
            for (int edit : checks::UnreadableFields(snapshot))
                fields << FieldCaption(edit);
        out << (fields.isEmpty() ? text : text + U("\n\r対象の欄：") + fields.join(U("、")));
    }
    return out;
}

void OutputMessages::EndItem(const QString& item, const engine::Snapshot& snapshot) {
    if (current_.Empty())
        return;
    QStringList said;
    for (const QString& text : current_.Digest(snapshot))
        said << OneLine(text);
    lines_ << U("【") + item + U("】") + said.join(U("　／　"));
    current_ = RunMessages();
}

QString OutputMessages::Report() const {
    if (lines_.isEmpty())
        return {};
    return U("次の拾いでメッセージがありました（%1件）\n\r").arg(lines_.size()) +
           lines_.join(QStringLiteral("\n\r"));
}

QString FieldCaption(int edit) {
    static const char* const captions[] = {
        "",           "延べ長さ",     "仕上げ高[表]", "仕上げ高[裏]", "根入長",
        "均しｺﾝ",     "砕石",         "ﾍﾞｰｽ幅",       "幅(W)",        "ﾍﾞｰｽ(B)",
        "水抜きﾊﾟｲﾌﾟ", "ＣＢ高さ",     "(主)ﾋﾟｯﾁ(＠)", "(ﾀﾃ)ﾋﾟｯﾁ(＠)", "(配)ﾋﾟｯﾁ(＠)",
        "(ﾖｺ)ﾋﾟｯﾁ(＠)", "ＣＢ幅",      "設計GLと平均GLの差", "単位重量"};
    if (edit < 1 || edit > 18)
        return {};
    return U(captions[edit]);
}
