// The HTML dump: header and footer of fragment and page, escaping, and the
// colour elements around hex groups and characters.
#include "ExportTestSupport.h"

#include "platform/Clipboard.h"

#include <gtest/gtest.h>

namespace {

QByteArray Html(const QString& name, const QByteArray& input, const ViewSettings& view)
{
    ExportRunner runner;
    const ExportOutcome outcome = runner.Export(name, input, view);
    EXPECT_EQ(outcome.result, 0u);
    return outcome.output;
}

} // namespace

TEST(HtmlDump, EscapesTheDumpAndAddsNoColourWhereTheyAllMatch)
{
    ViewSettings view;
    view.bytesPerRow = 8;
    view.showAllChars = 1;
    const QByteArray input("A< &\"\xE9", 6);
    const QByteArray page = Html(QStringLiteral("HTML Files"), input, view);
    const QByteArray row = "00000000&nbsp;&nbsp;"
                           "41&nbsp;3C&nbsp;20&nbsp;26-22&nbsp;E9&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;"
                           "&nbsp;&nbsp;A&lt;&nbsp;&amp;&quot;&#233;&nbsp;&nbsp;<br>\r\n";
    EXPECT_TRUE(page.contains(row)) << page.toStdString();
}

TEST(HtmlDump, PageHeaderCarriesTitleColoursAndFace)
{
    ViewSettings view;
    view.colors = {0x00332211, 0x00332211, 0x00332211, 0x000000FF, 0x00FFEEDD};
    view.face = QStringLiteral("DejaVu Sans Mono");
    view.fileName = QStringLiteral("a<b>&c.bin");
    view.bytesPerRow = 4;
    EXPECT_EQ(Html(QStringLiteral("HTML Files"), "AB", view),
              "<html>\r\n"
              "<head>\r\n"
              "<meta name=\"GENERATOR\" content=\"Vantrel Hex Editor\">\r\n"
              "<title>a&lt;b&gt;&amp;c.bin</title>\r\n"
              "</head>\r\n"
              "<body text=\"112233\" bgcolor=\"DDEEFF\">\r\n"
              "<font face=\"DejaVu Sans Mono\">\r\n"
              "00000000&nbsp;&nbsp;41&nbsp;42&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;"
              "&nbsp;&nbsp;<font color=\"#FF0000\">AB&nbsp;&nbsp;</font><br>\r\n"
              "</font>\r\n"
              "</body>\r\n"
              "</html>\r\n");
}

TEST(HtmlDump, OneHexColourDifferentFromTheOffsetsWrapsTheWholeHexPart)
{
    ViewSettings view;
    view.colors = {0x000000, 0x00FF0000, 0x00FF0000, 0x000000, 0xFFFFFF};
    view.bytesPerRow = 4;
    view.columns = 1;
    const QByteArray fragment = Html(QStringLiteral("HTML Files"), "AB", view);
    EXPECT_TRUE(fragment.contains("00000000&nbsp;&nbsp;<font color=\"#0000FF\">41&nbsp;42&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;"
                                  "&nbsp;</font><br>\r\n"))
        << fragment.toStdString();
}

TEST(HtmlDump, AlternatingGroupColoursWrapOnlyGroupsWithSelectedBytes)
{
    ViewSettings view;
    view.colors = {0x000000, 0x0000FF00, 0x00FF0000, 0x000000, 0xFFFFFF};
    view.bytesPerRow = 8;
    view.groupBy = 2;
    view.offset = 3;
    const QByteArray page = Html(QStringLiteral("HTML Files"), "ABCD", view);
    const QByteArray row = "00000000&nbsp;&nbsp;"
                           "&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;"
                           "<font color=\"#0000FF\">&nbsp;&nbsp;41-</font>"
                           "<font color=\"#00FF00\">4243&nbsp;</font>"
                           "<font color=\"#0000FF\">44&nbsp;&nbsp;</font>"
                           "&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;ABCD&nbsp;<br>\r\n";
    EXPECT_TRUE(page.contains(row)) << page.toStdString();
}

TEST(HtmlDump, FragmentHasOnlyTheFontElementAroundTheRows)
{
    ViewSettings view;
    view.colors = {0x00563412, 0x00563412, 0x00563412, 0x00563412, 0xFFFFFF};
    view.bytesPerRow = 2;
    view.showDash = 0;
    ExportRunner runner;
    ASSERT_EQ(runner.CopyAs(QStringLiteral("HTML"), "ABC", view), 0u);
    const QByteArray expected = "<font face=\"Courier New\" color=\"#123456\">\r\n"
                                "00000000&nbsp;&nbsp;41&nbsp;42&nbsp;&nbsp;AB<br>\r\n"
                                "00000002&nbsp;&nbsp;43&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;C&nbsp;<br>\r\n"
                                "</font>\r\n";
    // Copy As places the text alone, with no terminating zero.
    EXPECT_EQ(platform::ClipboardText(), std::optional<QByteArray>(expected));
}
