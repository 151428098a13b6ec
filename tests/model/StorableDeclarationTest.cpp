// Whether a declaration can be stored: the rule refuses exactly what the
// writer of the .dcl file refuses, names the field to correct, and refuses
// a file name no folder can hold.
#include "model/StorableDeclaration.h"
#include "model/DeclarationFile.h"
#include "support/TestEnv.h"

#include <gtest/gtest.h>

using namespace portdesk;

namespace {

const QString usableName = QStringLiteral("ACME(2026-03-05 10：20：30).dcl");

} // namespace

TEST(StorableDeclaration, RefusesWhatTheWriterRefusesAndNamesTheField)
{
    const struct {
        const char *what;
        DeclField family;
        int index;
        QString value;
        bool storable;
    } cases[] = {
        {"emoji", DeclField::MingCheng, 3, QStringLiteral("配件😀"), false},
        {"Korean", DeclField::ShouHuoRen, -1, QStringLiteral("한국"), false},
        {"line feed", DeclField::HeTongHao, -1, QStringLiteral("HT1\nX=1"), false},
        {"carriage return", DeclField::BZzhonglei, 1, QStringLiteral("纸箱\r"), false},
        {"NUL", DeclField::TiYunDanHao, -1, QStringLiteral("176") + QChar(0) + QStringLiteral("1"),
         false},
        {"euro and quotes", DeclField::ZongZhi, 0, QStringLiteral("\"€8000\""), true},
    };
    test::TestEnv env;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        Declaration d;
        d.at(c.family, c.index) = c.value;
        QString error;
        const bool written = writeDeclaration(env.path(QStringLiteral("t.dcl")), d, &error);
        EXPECT_EQ(written, c.storable) << error.toStdString();
        const std::optional<StoreProblem> problem = storeProblem(d, usableName);
        ASSERT_EQ(problem.has_value(), !c.storable);
        if (problem) {
            EXPECT_EQ(problem->focus, fieldRef(c.family, c.index));
            const FormField &f = formFields()[std::size_t(fieldSlot(c.family, c.index))];
            EXPECT_TRUE(problem->message.contains("“" + fieldCaption(f) + "”"))
                << problem->message.toStdString();
            // The save refuses it in the same words.
            EXPECT_EQ(error, problem->message);
        }
    }
}

TEST(StorableDeclaration, AnUnusableFileNameSendsTheClerkToTheConsignee)
{
    EXPECT_FALSE(storeProblem(Declaration(), usableName));
    for (const QString &name : {QStringLiteral("CON.dcl"), QStringLiteral("A\u200BB(1).dcl")}) {
        const auto problem = storeProblem(Declaration(), name);
        ASSERT_TRUE(problem) << name.toStdString();
        EXPECT_EQ(problem->focus, fieldRef(DeclField::ShouHuoRen));
    }
}
