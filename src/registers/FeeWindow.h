#pragma once
// Expenses: "费用记录", the four fees of the archived declaration open in
// the main window, kept in that declaration's own file.
#include "form/FormFields.h"
#include "model/FeeRecord.h"

#include <QPointer>
#include <QWidget>
#include <array>

class QLineEdit;
class QPushButton;

namespace portdesk {

class MainPage;
class CharFilterGuard;
class EnterGuard;
struct Context;

class FeeWindow : public QWidget {
    Q_OBJECT
public:
    // `file` is the declaration's file; only an archived one can take fees.
    FeeWindow(Context &ctx, const QString &file, bool archived);
    ~FeeWindow() override;

    std::array<QLineEdit *, kFeeCount> Text1{};
    QPushButton *Cmd1 = nullptr; // 确认(&C)
    QPushButton *Cmd2 = nullptr; // 退出(&Q)

private:
    void buildLayout();
    void load();
    void store();
    void enter(const FieldRef &field);

    Context &ctx_;
    QString file_;
    FeeAmounts fees_;
    FormFields fields_;
    CharFilterGuard *chars_ = nullptr;
    EnterGuard *enter_ = nullptr;
};

// Connects FeiYong: the fee window without modality, the main window
// disabled while it is open.
void attachFeeWindow(MainPage &page);

} // namespace portdesk
