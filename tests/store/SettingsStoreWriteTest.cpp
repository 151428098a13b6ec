// Where writes and deletes land, what they write, and that every other line
// keeps its bytes.
#include "store/SettingsStore.h"
#include "support/TestEnv.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace portdesk;
using portdesk::test::readBytes;
using portdesk::test::TestEnv;
using portdesk::test::writeBytes;

namespace {

struct EditCase {
    const char *name;
    QByteArray before;
    bool write; // false: delete
    QString section;
    QString key;
    QString value;
    QByteArray after;
};

// Comments, blank lines, odd spacing, a bracket line without its close and
// bytes that are not GBK at all, around the lines being edited.
const QByteArray kMessy = QByteArray("; header comment\r\n"
                                     "\r\n"
                                     "  [ A ]  trailing\r\n"
                                     "  spaced   =   value   \r\n"
                                     "junk\x81\x7f line\r\n"
                                     "bad\x81=\xff\x80\x81\r\n"
                                     "[unclosed\r\n"
                                     "\t\r\n"
                                     "[B]\n"
                                     "b=1\r"
                                     "; tail");

std::vector<EditCase> editCases()
{
    return {
        {"NewKeyAfterLastKeyLine", "[A]\r\na=1\r\n\r\n;c\r\n[B]\r\nb=1\r\n", true, "A", "x", "2",
         "[A]\r\na=1\r\nx=2\r\n\r\n;c\r\n[B]\r\nb=1\r\n"},
        {"NewKeyRightAfterHeaderWithoutKeys", "[A]\r\n\r\n[B]\r\n", true, "A", "x", "1",
         "[A]\r\nx=1\r\n\r\n[B]\r\n"},
        {"NewKeyWhenLastLineHasNoNewline", "[A]\r\na=1", true, "A", "b", "2",
         "[A]\r\na=1\r\nb=2\r\n"},
        {"NewKeyUnderUnterminatedHeader", "[A]", true, "A", "k", "v", "[A]\r\nk=v\r\n"},
        {"NewSectionWhenLastLineHasNoNewline", "[A]\r\na=1", true, "B", "b", "2",
         "[A]\r\na=1\r\n[B]\r\nb=2\r\n"},
        {"NewSectionAfterTrailingBlankLines", "[A]\r\na=1\r\n\r\n", true, "B", "b", "2",
         "[A]\r\na=1\r\n\r\n[B]\r\nb=2\r\n"},
        {"NewSectionAfterKeysOutsideSections", "k=0\r\n", true, "S", "k", "1",
         "k=0\r\n[S]\r\nk=1\r\n"},
        {"NewFile", "", true, " S\t", "\tk ", "v", "[S]\r\nk=v\r\n"},
        {"LfLinesKeptNewLineCrLf", "[A]\na=1\n", true, "A", "b", "2", "[A]\na=1\nb=2\r\n"},
        {"CrLinesKeptNewLineCrLf", "[A]\ra=1\r", true, "A", "b", "2", "[A]\ra=1\rb=2\r\n"},
        {"RewrittenLfLineGetsCrLf", "[A]\na=1\nb=2\n", true, "A", "a", "9", "[A]\na=9\r\nb=2\n"},
        {"OverwriteKeepsFileSpellingDropsSpacing", "[A]\r\n  Key = old  \r\n", true, "a", "KEY",
         "new", "[A]\r\nKey=new\r\n"},
        {"OverwriteFirstOfDuplicateKeys", "[A]\r\nk=1\r\nk=2\r\n", true, "A", "k", "3",
         "[A]\r\nk=3\r\nk=2\r\n"},
        {"OverwriteInFirstOfDuplicateSections", "[A]\r\nk=1\r\n[a]\r\nk=2\r\n", true, "A", "k", "3",
         "[A]\r\nk=3\r\n[a]\r\nk=2\r\n"},
        {"NewKeyIntoFirstOfDuplicateSections", "[A]\r\n[a]\r\nk=2\r\n", true, "A", "k", "1",
         "[A]\r\nk=1\r\n[a]\r\nk=2\r\n"},
        {"LeadingBlanksDroppedTrailingKept", "[A]\r\n", true, "A", "k", " \t\v\x1a v \t",
         "[A]\r\nk=v \t\r\n"},
        {"BlankOnlyValueWrittenEmpty", "[A]\r\nk=1\r\n", true, "A", "k", "  ", "[A]\r\nk=\r\n"},
        {"QuotedValueReplacedByBareValue", "[A]\r\nk=\"v\"\r\n", true, "A", "k", "v",
         "[A]\r\nk=v\r\n"},
        {"OverwriteUnterminatedLastLine", "[A]\r\nk=1", true, "A", "k", "2", "[A]\r\nk=2\r\n"},
        {"MessyFileOnlyTouchedLineChanges", kMessy, true, "a", "SPACED", "new",
         QByteArray(kMessy).replace("  spaced   =   value   \r\n", "spaced=new\r\n")},
        {"MessyFileNewKeyAfterLastKey", kMessy, true, "A", "n", "1",
         QByteArray(kMessy).replace("\xff\x80\x81\r\n", "\xff\x80\x81\r\nn=1\r\n")},
        {"MessyFileLastSectionNoNewline", kMessy, true, "B", "c", "2",
         QByteArray(kMessy).replace("b=1\r", "b=1\rc=2\r\n")},
        {"MessyFileNewSectionAtEnd", kMessy, true, "C", "c", "3", kMessy + "\r\n[C]\r\nc=3\r\n"},
        {"MessyFileDelete", kMessy, false, "B", "B", "", QByteArray(kMessy).replace("b=1\r", "")},
        {"DeleteFirstMatchOnly", "[A]\r\nk=1\r\nK=2\r\n", false, "a", "k", "", "[A]\r\nK=2\r\n"},
        {"DeleteLastKeyKeepsHeader", "[A]\r\nk=1\r\n[B]\r\nk=2\r\n", false, "B", "k", "",
         "[A]\r\nk=1\r\n[B]\r\n"},
        {"DeleteUnterminatedLastLine", "[A]\r\na=1\r\nk=2", false, "A", "k", "", "[A]\r\na=1\r\n"},
        {"DeleteEmptyKey", "[A]\r\nk=\r\nb=1\r\n", false, "A", "k", "", "[A]\r\nb=1\r\n"},
    };
}

class EditRules : public ::testing::TestWithParam<EditCase> {};

TEST_P(EditRules, OneByOne)
{
    const EditCase &c = GetParam();
    TestEnv env;
    const QString file = env.path("e.ini");
    if (!c.before.isEmpty()) {
        ASSERT_TRUE(writeBytes(file, c.before));
    }
    QString error;
    const bool ok = c.write ? WriteKey(file, c.section, c.key, c.value, &error)
                            : DeleteKey(file, c.section, c.key, &error);
    ASSERT_TRUE(ok) << error.toStdString();
    EXPECT_TRUE(error.isEmpty());
    EXPECT_EQ(readBytes(file), c.after);
}

TEST_P(EditRules, InBatch)
{
    const EditCase &c = GetParam();
    TestEnv env;
    const QString file = env.path("e.ini");
    if (!c.before.isEmpty()) {
        ASSERT_TRUE(writeBytes(file, c.before));
    }
    ProfileBatch batch(file);
    ASSERT_TRUE(c.write ? batch.WriteKey(c.section, c.key, c.value)
                        : batch.DeleteKey(c.section, c.key));
    EXPECT_TRUE(batch.changed());
    ASSERT_TRUE(batch.save());
    EXPECT_EQ(readBytes(file), c.after);
}

INSTANTIATE_TEST_SUITE_P(Profile, EditRules, ::testing::ValuesIn(editCases()),
                         [](const auto &info) { return std::string(info.param.name); });

// Calls that find nothing to do leave the file exactly as it was, down to
// its modification time.
struct NoChangeCase {
    const char *name;
    QByteArray before;
    bool write;
    QString section;
    QString key;
    QString value;
};

std::vector<NoChangeCase> noChangeCases()
{
    return {
        {"EqualValue", "[A]\r\nk=v\r\n", true, "A", "k", "v"},
        {"EqualValueOddSpacing", "[A]\r\n  K =  v  \n", true, "a", "k", "  v"},
        {"EqualValueLfFile", "[A]\nk=v\n", true, "A", "k", "v"},
        {"SameTrailingBlanks", "[A]\r\nk=v  \r\n", true, "A", "k", "v  "},
        {"EqualEmptyValue", "[A]\r\nk=\r\n", true, "A", "k", ""},
        {"DeleteMissingKey", "[A]\r\nj=1\r\n", false, "A", "k", ""},
        {"DeleteMissingSection", "[A]\r\nk=1\r\n", false, "B", "k", ""},
        {"DeleteInLaterDuplicateSection", "[A]\r\n[A]\r\nk=1\r\n", false, "A", "k", ""},
        {"DeleteKeyOutsideSections", "k=1\r\n[A]\r\n", false, "A", "k", ""},
    };
}

class NoChange : public ::testing::TestWithParam<NoChangeCase> {};

TEST_P(NoChange, FileUntouched)
{
    const NoChangeCase &c = GetParam();
    TestEnv env;
    const QString file = env.path("n.ini");
    ASSERT_TRUE(writeBytes(file, c.before));
    const QDateTime old = QDateTime::currentDateTimeUtc().addDays(-3);
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(old, QFileDevice::FileModificationTime));
    }
    // Nothing needs writing, so a read-only file is no reason to fail.
    ASSERT_TRUE(QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadUser));
    QString error;
    const bool ok = c.write ? WriteKey(file, c.section, c.key, c.value, &error)
                            : DeleteKey(file, c.section, c.key, &error);
    EXPECT_TRUE(ok) << error.toStdString();
    EXPECT_EQ(readBytes(file), c.before);
    EXPECT_EQ(QFileInfo(file).lastModified().toSecsSinceEpoch(), old.toSecsSinceEpoch());

    ProfileBatch batch(file);
    ASSERT_TRUE(c.write ? batch.WriteKey(c.section, c.key, c.value)
                        : batch.DeleteKey(c.section, c.key));
    EXPECT_FALSE(batch.changed());
}

INSTANTIATE_TEST_SUITE_P(Profile, NoChange, ::testing::ValuesIn(noChangeCases()),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(Delete, MissingFileStaysMissing)
{
    TestEnv env;
    const QString file = env.path("none.ini");
    EXPECT_TRUE(DeleteKey(file, "A", "k"));
    EXPECT_FALSE(QFileInfo::exists(file));
    EXPECT_TRUE(DeleteKey(env.path("NoFolder/none.ini"), "A", "k"));
    EXPECT_FALSE(QFileInfo::exists(env.path("NoFolder")));
}

TEST(Write, EuroSignIsCodePage936Byte80)
{
    TestEnv env;
    const QString file = env.path("euro.ini");
    ASSERT_TRUE(WriteKey(file, "币制", "符号", "€"));
    EXPECT_EQ(readBytes(file), QByteArray("[\xb1\xd2\xd6\xc6]\r\n\xb7\xfb\xba\xc5=\x80\r\n"));
}

TEST(Write, ReadBackWhatWasWritten)
{
    TestEnv env;
    const QString file = env.path("rt.ini");
    const QStringList values{"苏州精密电子有限公司",     "a=b",    "[x]",
                             "; not a comment",          "\"q\"x", "tab\tinside",
                             QString(200, QChar(0x6728))};
    for (int i = 0; i < values.size(); ++i)
        ASSERT_TRUE(WriteKey(file, "值", QString("键%1").arg(i), values[i]));
    for (int i = 0; i < values.size(); ++i)
        EXPECT_EQ(ReadKey(file, "值", QString("键%1").arg(i), ""), values[i]);
}

} // namespace
