#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QSet>

#include "platform/shippeddata.h"
#include "shippedfiles.h"
#include "support/qtprinters.h"

namespace {

QString HelpText() {
    QFile file(QString::fromLatin1(kHelpPage));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QStringList Captures(const QString& text, const QString& pattern) {
    QStringList found;
    for (const QRegularExpressionMatch& match : QRegularExpression(pattern).globalMatch(text)) {
        found.append(match.captured(1));
    }
    return found;
}

QStringList Anchors(const QString& text) {
    return Captures(text, R"re(<a\s+name="([^"]+)")re");
}

}  // namespace

TEST(HelpPage, HoldsEveryTopicTheProgramOpens) {
    const QStringList names = Anchors(HelpText());
    const QSet<QString> anchors(names.begin(), names.end());
    // The topics the screens open; any that the sources name as well.
    QStringList topics = {"Main_Contents", "First Expense Report", "International Traveler",
                          "Personal Info"};
    int files = 0;
    topics += FindInSources(QRegularExpression(R"re(OL_Help\.htm#([^"]+)")re"), &files);
    ASSERT_GT(files, 0);
    for (const QString& topic : topics) {
        EXPECT_TRUE(anchors.contains(topic)) << topic.toStdString();
    }
}

TEST(HelpPage, EveryLinkLeadsToOneAnchor) {
    const QString text = HelpText();
    ASSERT_FALSE(text.isEmpty());
    const QStringList anchors = Anchors(text);
    const QSet<QString> unique(anchors.begin(), anchors.end());
    EXPECT_EQ(unique.size(), anchors.size()) << "an anchor is named twice";
    for (const QString& link : Captures(text, R"re(href="#([^"]+)")re")) {
        EXPECT_TRUE(unique.contains(link)) << link.toStdString();
    }
}
