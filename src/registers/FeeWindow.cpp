#include "registers/FeeWindow.h"

#include "form/CharFilterGuard.h"
#include "form/EnterGuard.h"
#include "form/MainPage.h"
#include "form/SchemaEdits.h"
#include "form/WindowOpener.h"
#include "form/WindowPlacement.h"
#include "model/ArchivePlan.h"
#include "platform/Context.h"
#include "platform/Prompts.h"
#include "store/SettingsStore.h"
#include "store/WorkDirCheck.h"
#include "store/WriteBack.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace portdesk {

FeeWindow::FeeWindow(Context &ctx, const QString &file, bool archived)
    : QWidget(nullptr, Qt::Window), ctx_(ctx), file_(file),
      fields_(
          feeFields(),
          [this](const FieldRef &ref) -> QWidget * {
              return ref.index >= 0 && ref.index < kFeeCount ? Text1[std::size_t(ref.index)]
                                                             : nullptr;
          },
          [this](const FieldRef &ref) {
              return ref.index >= 0 && ref.index < kFeeCount ? fees_[std::size_t(ref.index)]
                                                             : QString();
          })
{
    setObjectName(QStringLiteral("Expenses"));
    setWindowTitle(QStringLiteral("费用记录"));
    buildLayout();

    chars_ = new CharFilterGuard(
        fields_, [](const FieldRef &, int) {}, this);
    chars_->install();
    enter_ = new EnterGuard(
        fields_, [this](const FieldRef &f) { enter(f); }, this);
    std::vector<FieldRef> rows;
    for (const FormField &f : feeFields())
        rows.push_back(f.ref);
    enter_->install(rows);

    for (int row = 0; row < kFeeCount; ++row) {
        connect(Text1[std::size_t(row)], &QLineEdit::textChanged, this,
                [this, row](const QString &text) {
                    fees_[std::size_t(row)] = text;
                    Cmd1->setEnabled(true);
                });
    }
    connect(Cmd1, &QPushButton::clicked, this, &FeeWindow::store);
    connect(Cmd2, &QPushButton::clicked, this, &QWidget::close);

    if (archived) {
        load();
    } else {
        for (QLineEdit *box : Text1)
            box->setEnabled(false);
        Cmd1->setEnabled(false);
    }
}

// The guards go first: the window still sends its boxes events while it is
// taken down, after the fields they read are gone.
FeeWindow::~FeeWindow()
{
    delete chars_;
    delete enter_;
}

void FeeWindow::buildLayout()
{
    const QHash<QString, QLineEdit *> edits = buildLineEdits(this, feeFields());
    auto *grid = new QGridLayout;
    for (const FormField &f : feeFields()) {
        QLineEdit *box = edits.value(f.ref.objectName());
        Text1[std::size_t(f.slot)] = box;
        auto *label = new QLabel(feeLabel(f.slot), this);
        label->setBuddy(box);
        grid->addWidget(label, f.slot, 0);
        grid->addWidget(box, f.slot, 1);
    }
    Cmd1 = new QPushButton(QStringLiteral("确认(&C)"), this);
    Cmd1->setObjectName(QStringLiteral("Cmd1"));
    Cmd2 = new QPushButton(QStringLiteral("退出(&Q)"), this);
    Cmd2->setObjectName(QStringLiteral("Cmd2"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Cmd1);
    buttons->addWidget(Cmd2);
    auto *outer = new QVBoxLayout(this);
    outer->addLayout(grid);
    outer->addLayout(buttons);
}

void FeeWindow::load()
{
    ProfileBatch file(file_);
    if (file.failed()) {
        ctx_.prompts.warn(file.failure());
        return;
    }
    const FeeAmounts fees = readFees(file);
    if (const QString why = saveWriteBacks(file); !why.isEmpty())
        ctx_.prompts.warn(why);
    for (int row = 0; row < kFeeCount; ++row)
        Text1[std::size_t(row)]->setText(fees[std::size_t(row)]);
    Cmd1->setEnabled(true);
}

void FeeWindow::store()
{
    if (!workDirReachable(ctx_))
        return;
    QString error;
    if (!writeFees(file_, fees_, &error)) {
        ctx_.prompts.warn(QStringLiteral("费用登记失败！\n") + error);
        return;
    }
    ctx_.prompts.inform(QStringLiteral("费用登记成功！"));
    close();
}

void FeeWindow::enter(const FieldRef &field)
{
    if (field.index + 1 < kFeeCount)
        Text1[std::size_t(field.index + 1)]->setFocus();
    else
        Cmd1->setFocus();
}

void attachFeeWindow(MainPage &page)
{
    auto *opener = new WindowOpener(page, WhileOpen::Disabled, [&page](Context &ctx) {
        return new FeeWindow(ctx, page.DangQianWenJian,
                             isArchivedFile(page.DangQianWenJian, ctx.savedDir()));
    });
    QObject::connect(page.FeiYong, &QPushButton::clicked, opener, &WindowOpener::open);
}

} // namespace portdesk
