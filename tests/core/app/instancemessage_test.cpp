#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "core/app/commandline.h"
#include "core/app/desktopfiles.h"
#include "core/app/instancemessage.h"

using namespace qm;

TEST(InstanceMessage, RoundTripAndEveryPartialArrival) {
    const std::vector<std::string> files = {"/m/a.sqs", "with space/\xC3\xA9.ext", "/m/line\nbreak.txt"};
    const std::string bytes = EncodeOpenRequest(files, "/home/u/missions");
    OpenRequest out;
    ASSERT_EQ(DecodeOpenRequest(bytes, out), DecodeResult::Complete);
    EXPECT_EQ(out.files, files);
    EXPECT_EQ(out.folder, "/home/u/missions");
    for (size_t n = 0; n < bytes.size(); ++n)
        EXPECT_EQ(DecodeOpenRequest(std::string_view(bytes).substr(0, n), out), DecodeResult::Incomplete) << n;
    ASSERT_EQ(DecodeOpenRequest(EncodeOpenRequest({}, "/"), out), DecodeResult::Complete);
    EXPECT_TRUE(out.files.empty());
}

TEST(InstanceMessage, RelativeNamesAreTheSendersAndARequestOfTheFirstFormStillReads) {
    OpenRequest r;
    ASSERT_EQ(DecodeOpenRequest(EncodeOpenRequest({"b.sqs", "../c.ext", "/abs/d.sqs"}, "/home/u/m"), r),
              DecodeResult::Complete);
    EXPECT_EQ(RequestedPaths(r), (std::vector<std::string>{"/home/u/m/b.sqs", "/home/u/c.ext", "/abs/d.sqs"}));
    // The first form had no folder: its absolute names open, a relative one has no meaning here.
    ASSERT_EQ(DecodeOpenRequest(std::string("QUILLMARK-OPEN 1\n2\n5\n/a.sq5\nb.sqs"), r), DecodeResult::Complete);
    EXPECT_EQ(r.folder, "");
    EXPECT_EQ(RequestedPaths(r), std::vector<std::string>{"/a.sq"});
    r = {"relative/folder", {"x.sqs"}};
    EXPECT_TRUE(RequestedPaths(r).empty());
    // Started in a folder since deleted, a sender has none to send.
    ASSERT_EQ(DecodeOpenRequest(EncodeOpenRequest({"/a.sqs", "b.sqs"}, ""), r), DecodeResult::Complete);
    EXPECT_EQ(RequestedPaths(r), std::vector<std::string>{"/a.sqs"});
}

TEST(InstanceMessage, AnythingElseOnTheSocketIsRefused) {
    OpenRequest out;
    const std::string good = EncodeOpenRequest({"/a"}, "/f");
    for (const std::string& bad :
         {std::string("GET / HTTP/1.1\r\n"), good + "x", std::string("QUILLMARK-OPEN 1\n99999999\n"),
          std::string("QUILLMARK-OPEN 1\n1\n70000\n"), std::string("QUILLMARK-OPEN 1\n1\n0\n"),
          std::string("QUILLMARK-OPEN 1\n-1\n"), std::string("QUILLMARK-OPEN 1\n1\n2\na\0", 24),
          std::string("QUILLMARK-OPEN 3\n"), std::string("QUILLMARK-OPEN 2\n0\n1\n0\n"),
          std::string("QUILLMARK-OPEN 2\n2\n/\0" "0\n", 23)})
        EXPECT_EQ(DecodeOpenRequest(bad, out), DecodeResult::Invalid) << bad;
}

TEST(InstanceMessage, SocketAndLockLieInAFolderOfTheUsersOwn) {
    EXPECT_EQ(InstanceSocketPath(std::string("/t/s"), std::string("/run/user/5"), 5), "/t/s");
    EXPECT_EQ(InstanceSocketPath(std::nullopt, std::string("/run/user/5"), 5), "/run/user/5/quillmark.socket");
    EXPECT_EQ(InstanceSocketPath(std::string(""), std::string("relative"), 1000), "/tmp/quillmark-1000/quillmark.socket");

    const std::string root = ::testing::TempDir() + "qm-userfolder-" + std::to_string(::getpid());
    std::filesystem::remove_all(root);
    ASSERT_TRUE(std::filesystem::create_directory(root));
    const unsigned me = ::getuid();
    EXPECT_TRUE(MakeUserOnlyFolder(root + "/fresh", me));
    EXPECT_EQ(std::filesystem::status(root + "/fresh").permissions(), std::filesystem::perms::owner_all);
    EXPECT_TRUE(MakeUserOnlyFolder(root + "/fresh", me));  // made before: still good
    EXPECT_FALSE(MakeUserOnlyFolder(root + "/fresh", me + 1));  // another user's
    std::filesystem::create_directory(root + "/shared");
    std::filesystem::permissions(root + "/shared", std::filesystem::perms::all);  // like /tmp
    EXPECT_FALSE(MakeUserOnlyFolder(root + "/shared", me));
    std::filesystem::create_directory_symlink(root + "/fresh", root + "/link");
    EXPECT_FALSE(MakeUserOnlyFolder(root + "/link", me));
    std::ofstream(root + "/file") << "x";
    EXPECT_FALSE(MakeUserOnlyFolder(root + "/file", me));
    EXPECT_FALSE(MakeUserOnlyFolder(root + "/missing/deeper", me));
    std::filesystem::remove_all(root);
}

TEST(CommandLine, EveryFileArgumentInOrder) {
    EXPECT_EQ(FileArguments({"/dde", "a.sqs", "-p", "b.ext", "", "-notes.txt"}),
              (std::vector<std::string>{"a.sqs", "b.ext", "-notes.txt"}));
}

TEST(DesktopFiles, EntryMimePackageAndMetainfoAgree) {
    const std::string entry = InstalledDesktopEntry();
    EXPECT_NE(entry.find("\nExec=quillmark %f\n"), std::string::npos);
    EXPECT_NE(entry.find("\nIcon=quillmark\n"), std::string::npos);
    const std::string mime = InstalledMimePackage();
    const std::string meta = InstalledMetainfo("3.0.1000", "2026-12-08");
    for (const auto& t : InstalledMimeTypes()) {
        EXPECT_NE(entry.find(t + ";"), std::string::npos) << t;
        EXPECT_NE(meta.find("<mediatype>" + t + "</mediatype>"), std::string::npos) << t;
    }
    // Our own kinds are defined with their globs; well-known types are not redefined.
    for (const char* glob : {"*.sqs", "*.ext", "*.sqf"}) EXPECT_NE(mime.find(glob), std::string::npos) << glob;
    for (const char* known : {"text/html\"", "text/plain\">", "*.txt", "*.csv"})
        EXPECT_EQ(mime.find(known), std::string::npos) << known;
    EXPECT_NE(meta.find("<release version=\"3.0.1000\" date=\"2026-12-08\"/>"), std::string::npos);
    EXPECT_NE(meta.find("<launchable type=\"desktop-id\">quillmark.desktop</launchable>"), std::string::npos);
}
