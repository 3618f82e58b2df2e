// The user manual shipped next to the programs: every section F1 can open is there, its links
// and pictures lead somewhere, it needs nothing from outside, and it stays small.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>
#include <QSet>

#include "Manual.h"
#include "QtPrinters.h"

namespace {

class ShippedManual : public ::testing::Test {
  protected:
    void SetUp() override {
        QFile file(brisa::manual::path(folder));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
        html = QString::fromUtf8(file.readAll());
        const QRegularExpression named(QStringLiteral(R"((?:name|id)="([^"]+)\")"));
        for (const auto& m : named.globalMatch(html)) anchors << m.captured(1);
    }
    QStringList captures(const QString& pattern) const {
        QStringList all;
        for (const auto& m : QRegularExpression(pattern).globalMatch(html)) all << m.captured(1);
        return all;
    }

    const QString folder = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    QString html;
    QSet<QString> anchors;
};

TEST_F(ShippedManual, HasTheContentsAndASectionForEveryPage) {
    EXPECT_TRUE(anchors.contains(QLatin1String(brisa::manual::Contents)));
    for (const QString& a : brisa::manual::pageAnchors())
        EXPECT_TRUE(anchors.contains(a)) << a.toStdString();
}

TEST_F(ShippedManual, LinksAndPicturesLeadSomewhere) {
    const QStringList links = captures(QStringLiteral(R"(href="([^"]*)\")"));
    ASSERT_FALSE(links.isEmpty());
    for (const QString& link : links) {
        ASSERT_TRUE(link.startsWith(QLatin1Char('#'))) << link.toStdString();
        EXPECT_TRUE(anchors.contains(link.mid(1))) << link.toStdString();
    }
    const QStringList pictures = captures(QStringLiteral(R"(<img[^>]*src="([^"]*)\")"));
    ASSERT_FALSE(pictures.isEmpty());
    for (const QString& src : pictures) {
        EXPECT_FALSE(src.contains(QLatin1Char('/'))) << "next to the manual: " << src.toStdString();
        EXPECT_FALSE(QImage(folder + src).isNull()) << src.toStdString();
    }
}

// A technician may have no network on the bench: the manual carries all it shows.
TEST_F(ShippedManual, NeedsNothingFromOutsideAndStaysSmall) {
    for (const char* outside : {"http:", "https:", "<link", "<script", "@import", "url("})
        EXPECT_FALSE(html.contains(QLatin1String(outside), Qt::CaseInsensitive)) << outside;
    qint64 bytes = QFileInfo(brisa::manual::path(folder)).size();
    for (const QString& src : captures(QStringLiteral(R"(<img[^>]*src="([^"]*)\")")))
        bytes += QFileInfo(folder + src).size();
    EXPECT_LT(bytes, 1024 * 1024);
}

TEST(ManualSections, FollowThePageAndItsInnerPages) {
    brisa::form::MainForm f;
    struct Case {
        int tab1, tabEth, tabMail;
        const char* anchor;
    };
    const Case cases[] = {{0, 1, 0, "tipo-nodo"},     {1, 0, 5, "puertos"},
                          {2, 0, 2, "ethernet"},      {2, 1, 0, "email-cuentas"},
                          {2, 1, 4, "email-cuentas"}, {2, 1, 5, "email-configuracion"},
                          {2, 1, 6, "email-correo"},  {3, 1, 6, "programa"},
                          {4, 0, 0, "interrogar"},    {5, 0, 0, "seteos"}};
    for (const Case& c : cases) {
        f.Tab1.setCurrentPage(c.tab1);
        f.tabEth.setCurrentPage(c.tabEth);
        f.TabMail.setCurrentPage(c.tabMail);
        EXPECT_EQ(brisa::manual::pageAnchor(f), QLatin1String(c.anchor))
            << c.tab1 << "/" << c.tabEth << "/" << c.tabMail;
    }
}

}  // namespace
