#include "app/UiTexts.h"

namespace wisetup {

const std::array<UiTextPair, kUiTextRows> UiTextTable = {{
    {"溶接電源インターフェース(デジタル)　セットアップ(Ver.7.0)",
     "Welding Interface(Digital) Setup(Ver.7.0)"},                                    // 0
    {"設定(&S)", "Settings(&S)"},                                                     // 1
    {"バックアップフォルダの設定(&B)...", "Select Backup folder(&B)..."},             // 2
    {"セットアップフォルダの設定(&S)...", "Select Setup folder(&S)..."},              // 3
    {"セットアップファイルの読み込み(&R)...", "Read a setup file(&R)..."},            // 4
    {"言語(&L)", "Languages(&L)"},                                                    // 5
    {"英語(&E)", "English(&E)"},                                                      // 6
    {"日本語(&J)", "Japanese(&J)"},                                                   // 7
    {"ロボット制御装置", "Robot Controller"},                                         // 8
    {"溶接機番号", "WPS No"},                                                         // 9
    {"ロボット制御装置側の溶接機", "Registered WPS of RC"},                           // 10
    {"接続する溶接機", "Actual WPS"},                                                 // 11
    {"地域", "Area"},                                                                 // 12
    {"通信速度", "Transfer Rate"},                                                    // 13
    {"溶接特性", "Welding characteristic"},                                           // 14
    {"登録１", "Register1"},                                                          // 15
    {"登録２", "Register2"},                                                          // 16
    {"登録３", "Register3"},                                                          // 17
    {"登録４", "Register4"},                                                          // 18
    {"登録５", "Register5"},                                                          // 19
    {"登録６", "Register6"},                                                          // 20
    {"登録７", "Register7"},                                                          // 21
    {"登録８", "Register8"},                                                          // 22
    {"登録９", "Register9"},                                                          // 23
    {"登録１０", "Register10"},                                                       // 24
    {"ロボット側の溶接モード", "Welding mode in RC side"},                            // 25
    {"溶接機側で使用する溶接モード", "Welding mode in WPS side"},                     // 26
    {"ロボット制御装置のバックアップフォルダ", "Backup folder of Robot Controller"},  // 27
    {"セットアップ用ファイルの保存先フォルダ", "Saving folder for setup files"},      // 28
    {"作成", "Create Files"},                                                         // 29
    {"終了", "Exit"},                                                                 // 30
    {"特性データを引き継ぐ", "Use welding char."},                                    // 31
    {"%s が開けません。", "Cannot open %s."},                                         // 32
    {"%s が読み出せません。", "Cannot read %s."},                                     // 33
    {"%s が書き込めません。", "Cannot write %s."},                                    // 34
    {"ロボット側の溶接機と選択した溶接機は接続することができません。\n溶接機を選択しなおしてくだ"
     "さい。",
     "The selected WPS cannot be connected to the WPS registered in RC.\nPlease select WPS "
     "again."},                                  // 35
    {"溶接機の選択異常", "Wrong WPS selected"},  // 36
    {"セットアップファイルの保存先フォルダが指定されていません。",
     "The folder to save setup files is not selected."},  // 37
    {"フォルダ未選択異常", "No folder selected"},         // 38
    {"溶接機で使用する溶接モードが設定されていない箇所があります。\n設定内容を確認してください。",
     "No welding mode configured for actual WPS.\nPlease check configurations."},   // 39
    {"設定異常", "Wrong configuration"},                                            // 40
    {"ファイルが存在します。上書きしますか？", "File already exists. Overwrite?"},  // 41
    {"上書き確認", "Confirm overwriting"},                                          // 42
    {"セットアップファイルの作成が完了しました。\n溶接電源インターフェース(デジタル)"
     "基板とロボット制御装置にファイルを書き込んでください",
     "Setup files have been created.\nPlease write these files on the Welding Interface (Digital) "
     "board and the robot controller."},  // 43
    {"完了", "Completed"},                // 44
    {"関連付ける溶接法が一致しません。\n適切な溶接法を選択してください。",
     "Welding method of characteristic data are different. \nPlease select the appropriate "
     "destination."},  // 45
    {"バックアップフォルダの指定が不適切です。\n再設定してください。",
     "Wrong RC backup folder is selected.\nPlease select correct folder."},  // 46
    {"フォルダ選択異常", "Wrong folder selected"},                           // 47
    {"本操作を行うと参照モードになります。\nセットアップファイルの作成を行うには、\nバックアップフ"
     "ォルダの再設定操作が必要です。\nよろしいですか？",
     "This operation will make all data read-only.\nIf you want to create setup files,\nplease "
     "select a backup folder again.\nContinue?"},  // 48
    {"確認", "Confirm"},                           // 49
    {"ヒント：セットアップファイルの表示中（セットアップファイルの作成を行うには、バックアップフォ"
     "ルダの再設定が必要です。）",
     "HINT: Setup file contents are displayed (If you want to create setup files, please select a "
     "backup folder again.)"},  // 50
    {"ロボット制御装置から取得したバックアップフォルダを指定してください。",
     "Select the folder containing backup data from RC."},  // 51
    {"セットアップファイルを保存するフォルダ(UPDATE)を指定してください。",
     "Select the folder (UPDATE) to save setup files."},      // 52
    {"作成前のファイルに戻す(&U)", "Undo Create Files(&U)"},  // 53
    {"ヘルプ(&H)", "Help(&H)"},                               // 54
    {"バージョン情報(&A)", "About(&A)"},                      // 55
}};

const std::array<UiTextPair, 4> AreaItems = {{
    {"日本", "Japan"},
    {"米国", "USA"},
    {"欧州", "EU"},
    {"ｱｼﾞｱ", "ASIA"},
}};

const std::array<UiTextPair, 4> WelderNoItems = {{
    {"溶接機１", "WPS1"},
    {"溶接機２", "WPS2"},
    {"溶接機３", "WPS3"},
    {"溶接機４", "WPS4"},
}};

std::string UiTextOf(TextRow row, int language) {
  const int index = static_cast<int>(row);
  if (index < 0 || index >= kUiTextRows) return {};
  return TextOf(UiTextTable[static_cast<std::size_t>(index)], language);
}

std::string TextOf(const UiTextPair& pair, int language) {
  return language == 0 ? pair.japanese : pair.english;
}

std::string FormatPath(const std::string& format, const std::string& arg) {
  std::string out = format;
  const auto at = out.find("%s");
  if (at != std::string::npos) out.replace(at, 2, arg);
  return out;
}

}  // namespace wisetup
