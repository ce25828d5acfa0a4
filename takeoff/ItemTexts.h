#pragma once
// Keys of a take-off item in the project file, in the order they are written,
// and the texts of the item, run and start-up commands.
#include "Settings.h"

namespace itemkey {

inline constexpr const char kRunLength[] = "延長さ";
inline constexpr const char kFrontHeight[] = "仕上高表";
inline constexpr const char kBackHeight[] = "仕上高裏";
inline constexpr const char kEmbedment[] = "根入長";
inline constexpr const char kLevelling[] = "均しｺﾝ";
inline constexpr const char kStone[] = "砕石";
inline constexpr const char kBaseWidth[] = "ﾍﾞｰｽ幅";
inline constexpr const char kWallWidth[] = "幅";
inline constexpr const char kBaseThick[] = "ﾍﾞｰｽ厚";
inline constexpr const char kBarRate[] = "歩掛";
inline constexpr const char kFrontFinish[] = "表面仕上";
inline constexpr const char kBackFinish[] = "裏面仕上";
inline constexpr const char kTopFinish[] = "天端仕上";
inline constexpr const char kPipes[] = "水抜有無";
inline constexpr const char kPipeSpacing[] = "水抜Ｐ";
inline constexpr const char kBlocks[] = "ＣＢ有無";
inline constexpr const char kBlockFront[] = "ＣＢ表面";
inline constexpr const char kBlockBack[] = "ＣＢ裏面";
inline constexpr const char kBlockTop[] = "ＣＢ天端";
inline constexpr const char kBlockHeight[] = "ＣＢＨ";
inline constexpr const char kBlockWidth[] = "ＣＢＷ";
inline constexpr const char kBlockCoping[] = "ＣＢ笠木";
inline constexpr const char kRebar[] = "鉄筋";
inline constexpr const char kBasePitch[] = "ベＰ";
inline constexpr const char kUpVertPitch[] = "縦Ｐ";
inline constexpr const char kBaseDistPitch[] = "配Ｐ";
inline constexpr const char kUpHorzPitch[] = "横Ｐ";
inline constexpr const char kBaseBars[] = "べ筋";
inline constexpr const char kUpVertBars[] = "縦筋";
inline constexpr const char kBaseDistBars[] = "配筋";
inline constexpr const char kUpHorzBars[] = "横筋";
inline constexpr const char kBaseDouble[] = "ベ複";
inline constexpr const char kUpDouble[] = "立複";
inline constexpr const char kExcav[] = "根切要項";
inline constexpr const char kBackfill[] = "埋戻し土";
inline constexpr const char kSubBase[] = "地業出幅";
inline constexpr const char kEmbedDiff[] = "根入差";
inline constexpr const char kRetain[] = "簡易山止";
inline constexpr const char kSubstrate[] = "下地種類";
inline constexpr const char kLevelOn[] = "Level有無";
inline constexpr const char kLevelDiff[] = "Level差";
inline constexpr const char kModeBase[] = "ベース";
inline constexpr const char kModeDitch[] = "Ｕ字溝";
// Written only once the user sets them, so projects that never use them keep
// their bytes; a reader that knows only the keys above passes them by.
inline constexpr const char kCount[] = "箇所数";
inline constexpr const char kGroup[] = "区分";
inline constexpr const char kRemark[] = "備考";

} // namespace itemkey

namespace itemtext {

inline constexpr const char kProjectExt[] = ".Fa1";
inline constexpr const char kProjectTitle[] = "物件の選択《表示拡張子以外は【不許可】》";
inline constexpr const char kProjectFilter[] = "物件ファイル (*.Fa1)|*.Fa1";
inline constexpr const char kPresetName[] = "新規作成";
inline constexpr const char kEndMessage[] = "終了させて頂きます";
inline constexpr const char kCaptionPrefix[] = "擁壁数量調書：";
using takeoff::kSettingsFile;
inline constexpr const char kCreate1[] = "現在の【";
inline constexpr const char kCreate2[] = "】に【";
inline constexpr const char kCreate3[] = "】を作成します(Y/y)";
inline constexpr const char kAddCaption[] = "新規の拾い名称";
inline constexpr const char kAddPrompt[] = "追加する名称を";
inline constexpr const char kDeleteQuestion[] = "本当に削除してよろしいですか？";
inline constexpr const char kNoItemName[] = "演算の実行は無理です";
inline constexpr const char kNothingCalculated[] = "演算実行を行ってからにして下さい";
inline constexpr const char kTextTitle[] = "テキスト出力ファイルを選択";
inline constexpr const char kTextFilter[] = "テキストファイル(*.txt)|*.TXT";
inline constexpr const char kTxt1[] = ".Txt";
inline constexpr const char kTxt2[] = ".txt";
inline constexpr const char kTxt3[] = ".TXT";
inline constexpr const char kBadArgument[] = "現在パラメータは使用しませんのでやり直して下さい :-P";
inline constexpr const char kTestMode[] = "QKXW";

} // namespace itemtext
