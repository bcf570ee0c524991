// SPDX-License-Identifier: MIT
#include "platform/dbus_file_viewer.h"

#include "fakes/fake_file_manager.h"
#include "fakes/fake_url_opener.h"
#include "support/private_bus_test.h"

#include <set>

namespace sorvane::test {
namespace {

using DbusFileViewerTest = PrivateBusTest;

TEST(DbusFileViewerUriTest, EncodesEveryByteOutsideTheUnreservedSet) {
    EXPECT_EQ(DbusFileViewer::fileUri("/home/ann/Desktop Archive"),
              "file:///home/ann/Desktop%20Archive");
    EXPECT_EQ(DbusFileViewer::fileUri("/tmp/caf\xC3\xA9/a#b?c%d"),
              "file:///tmp/caf%C3%A9/a%23b%3Fc%25d");
    EXPECT_EQ(DbusFileViewer::fileUri("/tmp/bad\xFFname"), "file:///tmp/bad%FFname");
    EXPECT_EQ(DbusFileViewer::fileUri("/"), "file:///");
    // What a file manager does with the URI: a valid UTF-8 name decodes back to the path.
    EXPECT_EQ(QUrl::fromEncoded(DbusFileViewer::fileUri("/tmp/caf\xC3\xA9 x")).toLocalFile(),
              QString::fromUtf8("/tmp/caf\xC3\xA9 x"));
}

TEST_F(DbusFileViewerTest, FileManagerIsAskedToShowTheItem) {
    FakeFileManager fileManager;
    ASSERT_TRUE(fileManager.start(server));
    FakeUrlOpener opener;
    DbusFileViewer viewer(opener, client);

    viewer.showItem("/home/ann/Documents/Desktop Archive");
    viewer.showItem("/home/ann/odd\xFF");

    ASSERT_TRUE(waitFor([&] { return fileManager.shownItems().size() == 2; }));
    EXPECT_EQ(fileManager.shownItems()[0],
              QStringList{"file:///home/ann/Documents/Desktop%20Archive"});
    EXPECT_EQ(fileManager.shownItems()[1], QStringList{"file:///home/ann/odd%FF"});
    EXPECT_EQ(fileManager.startupIds(), (QStringList{QString(), QString()}));
    QTest::qWait(100);
    EXPECT_TRUE(opener.opened().empty());
}

TEST_F(DbusFileViewerTest, WithoutAnAnsweringFileManagerTheFolderIsOpened) {
    FakeUrlOpener opener;
    DbusFileViewer viewer(opener, client);

    viewer.showItem("/home/ann/Desktop Archive");
    viewer.showItem("/home/ann/od\xFF/Archive");
    viewer.showItem("/home/ann/Folder/");

    ASSERT_TRUE(waitFor([&] { return opener.opened().size() == 3; }));
    // The bus may answer the three calls in any order.
    std::multiset<QByteArray> folders;
    for (const QUrl& url : opener.opened())
        folders.insert(url.toEncoded());
    EXPECT_EQ(folders, (std::multiset<QByteArray>{"file:///home/ann", "file:///home/ann",
                                                  "file:///home/ann/od%FF"}));

    // A file manager that holds the name but fails the call does not show anything either.
    FakeFileManager broken;
    broken.failWith(QStringLiteral("org.freedesktop.DBus.Error.Failed"));
    ASSERT_TRUE(broken.start(server));
    viewer.showItem("/srv/archive");
    ASSERT_TRUE(waitFor([&] { return opener.opened().size() == 4; }));
    EXPECT_EQ(opener.opened()[3], QUrl::fromLocalFile(QStringLiteral("/srv")));
    EXPECT_EQ(broken.shownItems().size(), 1u);
}

TEST(DbusFileViewerNoBusTest, WithoutASessionBusTheFolderIsOpened) {
    // Started from a console or a bare window manager there may be no session bus at all.
    FakeUrlOpener opener;
    DbusFileViewer viewer(opener, QDBusConnection(QStringLiteral("never-connected")));
    viewer.showItem("/home/ann/Desktop Archive");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !opener.opened().empty(); }, 5000));
    EXPECT_EQ(opener.opened().front(), QUrl::fromLocalFile(QStringLiteral("/home/ann")));
}

} // namespace
} // namespace sorvane::test
