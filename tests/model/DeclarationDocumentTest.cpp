// The declaration being edited: what an edit, a repeated text, a pick and a
// load do to the value and its state, and what they tell the window.
#include "model/DeclarationDocument.h"

#include <gtest/gtest.h>

using namespace portdesk;

namespace {

using D = DeclField;

struct Recorder {
    explicit Recorder(DeclarationDocument &doc)
    {
        QObject::connect(&doc, &DeclarationDocument::edited,
                         [this](const Declaration &before) { befores.push_back(before); });
        QObject::connect(&doc, &DeclarationDocument::loaded, [this] { ++loads; });
    }
    std::vector<Declaration> befores;
    int loads = 0;
};

TEST(DeclarationDocument, AnEditChangesItsFieldRunsItsRulesAndTellsWhatWasThere)
{
    DeclarationDocument doc;
    Recorder seen(doc);
    doc.take(fieldRef(D::ShuLiang, 2), QStringLiteral("5"));
    EXPECT_EQ(doc.value().at(D::ShuLiang, 2), QStringLiteral("5"));
    EXPECT_TRUE(doc.enabled(fieldRef(D::SLdanwei, 2)));
    EXPECT_EQ(doc.state().totals[0], QStringLiteral("5"));
    doc.take(fieldRef(D::SLdanwei, 2), QStringLiteral("个"));

    // Emptying the quantity empties its unit through the rules, in the value.
    doc.take(fieldRef(D::ShuLiang, 2), QString());
    EXPECT_TRUE(doc.value().at(D::SLdanwei, 2).isEmpty());
    EXPECT_FALSE(doc.enabled(fieldRef(D::SLdanwei, 2)));
    ASSERT_EQ(seen.befores.size(), 3u);
    EXPECT_EQ(seen.befores.back().at(D::SLdanwei, 2), QStringLiteral("个"));
}

TEST(DeclarationDocument, TheWindowEchoingTheValueIsNoEditButAPickRunsTheRulesAgain)
{
    DeclarationDocument doc;
    Recorder seen(doc);
    doc.take(fieldRef(D::YunShuGongJu), containerTransport());
    doc.take(fieldRef(D::YunShuGongJu), containerTransport());
    EXPECT_EQ(seen.befores.size(), 1u);
    EXPECT_TRUE(doc.enabled(fieldRef(D::JZXsl1))); // the container frame opened

    doc.rerun(fieldRef(D::YunShuGongJu));
    EXPECT_EQ(seen.befores.size(), 2u);
    // Controls the value does not hold change nothing.
    doc.take({QStringLiteral("DaYin"), -1}, QStringLiteral("x"));
    doc.rerun({QStringLiteral("MingCheng"), 10});
    EXPECT_EQ(seen.befores.size(), 2u);
}

TEST(DeclarationDocument, ALoadReplacesTheWholeValueAndDerivesItsStateOnce)
{
    DeclarationDocument doc;
    Recorder seen(doc);
    doc.take(fieldRef(D::YunShuGongJu), containerTransport());

    Declaration d;
    d.at(D::MingCheng, 4) = QStringLiteral("垫圈");
    d.at(D::BZshuliang, 0) = QStringLiteral("3"); // kept though its kind is empty
    d[D::XuKeZheng] = QStringLiteral("A1");
    doc.load(d);
    EXPECT_EQ(doc.value(), d);

    // A stored value longer than its field takes is cut as the field would cut it.
    Declaration tooLong = d;
    tooLong[D::JianShu] = QStringLiteral("1234567");
    tooLong[D::TiYunDanHao] = QString(30, QLatin1Char('B'));
    doc.load(tooLong);
    EXPECT_EQ(doc.value()[D::JianShu], QStringLiteral("12345"));
    EXPECT_EQ(doc.value()[D::TiYunDanHao].size(), 20);
    doc.load(d);
    EXPECT_EQ(doc.state(), loadedState(d));
    EXPECT_FALSE(doc.enabled(fieldRef(D::JZXsl1)));
    EXPECT_TRUE(doc.state().moreMark);
    EXPECT_EQ(seen.loads, 3);
    EXPECT_EQ(seen.befores.size(), 1u);
}

} // namespace
