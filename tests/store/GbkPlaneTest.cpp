// Every character of the Basic Multilingual Plane through the encoder: what
// it accepts it stores and reads back, what it refuses the store refuses and
// names. ICU drops some characters without a word (zero-width and direction
// marks, variation selectors, the byte-order mark); those must be refused.
#include "store/Gbk.h"
#include "store/SettingsStore.h"
#include "support/TestEnv.h"

#include <QFileInfo>
#include <gtest/gtest.h>

using namespace portdesk;
using portdesk::test::TestEnv;

namespace {

TEST(GbkPlane, EveryEncodableCharacterRoundTripsAndEveryOtherIsRefusedByName)
{
    TestEnv env;
    ProfileBatch batch(env.path("never-written.ini"));
    int refused = 0;
    for (char32_t u = 1; u <= 0xFFFF; ++u) {
        if (u >= 0xD800 && u <= 0xDFFF)
            continue;
        const QString ch = QString(QChar(char16_t(u)));
        // Between other characters, as a name typed with one slipped in.
        const QString text = QStringLiteral("苏州") + ch + QStringLiteral("公司");
        const std::optional<QByteArray> alone = toGbk(ch);
        const std::optional<QByteArray> inside = toGbk(text);
        ASSERT_EQ(alone.has_value(), inside.has_value()) << std::hex << uint(u);
        if (alone) {
            ASSERT_GE(alone->size(), 1) << std::hex << uint(u);
            ASSERT_EQ(fromGbk(*alone), std::optional<QString>(ch)) << std::hex << uint(u);
            ASSERT_EQ(fromGbk(*inside), std::optional<QString>(text)) << std::hex << uint(u);
            continue;
        }
        ++refused;
        ASSERT_EQ(firstNonGbkChar(text), ch) << std::hex << uint(u);
        QString error;
        ASSERT_FALSE(batch.WriteKey(QStringLiteral("A"), QStringLiteral("k"), text, &error))
            << std::hex << uint(u);
        ASSERT_TRUE(error.contains(shownCharacter(ch))) << error.toStdString();
    }
    EXPECT_GT(refused, 0);
    EXPECT_FALSE(batch.changed());
    EXPECT_FALSE(QFileInfo::exists(env.path("never-written.ini")));
}

TEST(GbkPlane, CharactersIcuDropsAreRefusedAndNamedByCodePoint)
{
    struct Case {
        char16_t ch;
        const char *shown;
    };
    const Case cases[] = {{0x00AD, "U+00AD"}, {0x200B, "U+200B"}, {0x200F, "U+200F"},
                          {0x202E, "U+202E"}, {0x2060, "U+2060"}, {0xFE0F, "U+FE0F"},
                          {0xFEFF, "U+FEFF"}};
    TestEnv env;
    const QString file = env.path("Consignee.ini");
    for (const Case &c : cases) {
        const QString name = QStringLiteral("苏州") + QChar(c.ch) + QStringLiteral("公司");
        EXPECT_FALSE(isGbkEncodable(name)) << c.shown;
        EXPECT_FALSE(isGbkEncodable(QString(QChar(c.ch)))) << c.shown;
        QString error;
        EXPECT_FALSE(WriteKey(file, name, QStringLiteral("0"), QStringLiteral("x"), &error));
        EXPECT_TRUE(error.contains(QLatin1String(c.shown))) << error.toStdString();
        EXPECT_FALSE(
            WriteKey(file, QStringLiteral("A"), QStringLiteral("k"), QString(QChar(c.ch))));
    }
    EXPECT_FALSE(QFileInfo::exists(file));
}

} // namespace
