#include "platform/contactssource.h"

#include <gtest/gtest.h>

#include "support/testplatform.h"

TEST(ContactsSource, NamesOfCards) {
    const struct {
        const char* name;
        QByteArray vcards;
        QStringList names;
    } cases[] = {
        {"formatted name",
         "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Lee;Ann;;;\r\nFN:Ann Lee\r\nEND:VCARD\r\n",
         {"Ann Lee"}},
        {"several cards, line feeds only",
         "BEGIN:VCARD\nFN:One\nEND:VCARD\nBEGIN:VCARD\nFN:Two\nEND:VCARD\n",
         {"One", "Two"}},
        {"folded line",
         "BEGIN:VCARD\r\nFN:Jean-Pierre \r\n Dubois\r\nEND:VCARD\r\n",
         {"Jean-Pierre Dubois"}},
        {"escapes", "BEGIN:VCARD\r\nFN:Smith\\, John\\nJr.\r\nEND:VCARD\r\n", {"Smith, John Jr."}},
        {"structured name without a formatted one",
         "BEGIN:VCARD\r\nN:Doe;Jane;Q;Dr.;Jr.\r\nEND:VCARD\r\n",
         {"Dr. Jane Q Doe Jr."}},
        {"no name at all", "BEGIN:VCARD\r\nTEL:123\r\nEND:VCARD\r\n", {""}},
        {"quoted-printable with a soft break",
         "BEGIN:VCARD\r\nVERSION:2.1\r\nFN;ENCODING=QUOTED-PRINTABLE;CHARSET=UTF-8:Ren=C3=A9e "
         "=\r\n"
         "M=C3=BCller\r\nEND:VCARD\r\n",
         {"Ren\u00e9e M\u00fcller"}},
        {"bare quoted-printable parameter",
         "BEGIN:VCARD\r\nFN;QUOTED-PRINTABLE:Caf=E9\r\nEND:VCARD\r\n",
         {"Caf\u00e9"}},
        {"code-page bytes",
         "BEGIN:VCARD\r\nFN:Ren\xe9"
         "e\r\nEND:VCARD\r\n",
         {"Ren\u00e9e"}},
        {"group and letter case", "begin:vcard\r\nitem1.fn:Bob\r\nend:vcard\r\n", {"Bob"}},
        {"a card left open", "BEGIN:VCARD\r\nFN:Open\r\n", {"Open"}},
        {"a card left open before the next",
         "BEGIN:VCARD\r\nFN:First\r\nBEGIN:VCARD\r\nFN:Second\r\nEND:VCARD\r\n",
         {"First", "Second"}},
        {"lines outside cards and malformed lines",
         "FN:Stray\r\nBEGIN:VCARD\r\nno colon here\r\n:empty name\r\nPHOTO;ENCODING=b:AAAA\r\n"
         "FN:Kept\r\nEND:VCARD\r\n",
         {"Kept"}},
        {"byte-order mark",
         "\xef\xbb\xbf"
         "BEGIN:VCARD\r\nFN:Marked\r\nEND:VCARD\r\n",
         {"Marked"}},
        {"UTF-16",
         QByteArray("\xff\xfe"
                    "B\0E\0G\0I\0N\0:\0V\0C\0A\0R\0D\0\n\0F\0N\0:\0"
                    "\xe9\0\n\0E\0N\0D\0:\0V\0C\0A\0R\0D\0\n\0",
                    2 + 2 * 27),
         {"\u00e9"}},
        {"many byte-order marks",
         QByteArray(300000, '\0').replace(QByteArray(1, '\0'), "\xef\xbb\xbf") +
             "BEGIN:VCARD\r\nFN:Deep\r\nEND:VCARD\r\n",
         {"Deep"}},
        {"named character set",
         "BEGIN:VCARD\r\nFN;CHARSET=WINDOWS-1251:\xc8\xe2\xe0\xed\r\nEND:VCARD\r\n",
         {"\u0418\u0432\u0430\u043d"}},
        {"folding keeps its blank in version 2.1",
         "BEGIN:VCARD\r\nVERSION:2.1\r\nFN:John\r\n Smith\r\nEND:VCARD\r\n",
         {"John Smith"}},
        {"a colon inside a quoted parameter",
         "BEGIN:VCARD\r\nFN;X-A=\"a:b\":Quoted\r\nEND:VCARD\r\n",
         {"Quoted"}},
        {"quoted-printable takes two hex digits only",
         "BEGIN:VCARD\r\nFN;ENCODING=QUOTED-PRINTABLE:A=+1B=2\r\nEND:VCARD\r\n",
         {"A=+1B=2"}},
        {"carriage returns only", "BEGIN:VCARD\rFN:Classic\rEND:VCARD\r", {"Classic"}},
        {"base64", "BEGIN:VCARD\r\nFN;ENCODING=b:QW5uYQ==\r\nEND:VCARD\r\n", {"Anna"}},
        {"nothing", "", {}},
        {"not a vCard", QByteArray("\x00\x01\xff\xfe", 4), {}},
    };
    for (const auto& test : cases) {
        EXPECT_EQ(ContactsSource::NamesOf(test.vcards), test.names) << test.name;
    }
}

TEST(ContactsSource, ReadsTheCardFilesOfAFolderInNameOrder) {
    TestPlatform platform;
    const QString folder = platform.Path("contacts");
    WriteFileBytes(folder + "/b.vcf",
                   "BEGIN:VCARD\r\nFN:Bea\r\nEND:VCARD\r\n"
                   "BEGIN:VCARD\r\nFN:Ben\r\nEND:VCARD\r\n");
    WriteFileBytes(folder + "/A.VCF", "BEGIN:VCARD\r\nFN:Ann\r\nEND:VCARD\r\n");
    WriteFileBytes(folder + "/notes.txt", "BEGIN:VCARD\r\nFN:Not a contact\r\nEND:VCARD\r\n");

    ContactsSource source(folder);
    ASSERT_TRUE(source.Open());
    EXPECT_EQ(source.Count(), 3);
    EXPECT_EQ(source.Name(1), "Ann");
    EXPECT_EQ(source.Name(2), "Bea");
    EXPECT_EQ(source.Name(3), "Ben");
    EXPECT_EQ(source.Name(0), "");
    EXPECT_EQ(source.Name(4), "");
    source.Close();
    EXPECT_EQ(source.Count(), 0);

    ContactsSource missing(platform.Path("no such folder"));
    EXPECT_FALSE(missing.Open());
    EXPECT_EQ(missing.Count(), 0);
    EXPECT_FALSE(ContactsSource(QString()).Open());
}
