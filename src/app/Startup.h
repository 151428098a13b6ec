#pragma once
// What main() sets up before the first window.
class QCoreApplication;
class QTranslator;

namespace portdesk {

// Gives Qt's own texts (the buttons of message boxes: 确定, 取消, 是, 否)
// in Chinese, so they match the messages that name them. Null when Qt's
// Chinese translations are not installed (the buttons then stay in English),
// else the installed translator, owned by `app`.
QTranslator *installChineseQtTexts(QCoreApplication &app);

} // namespace portdesk
