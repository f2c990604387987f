#include <gtest/gtest.h>

#include "core/app/commandline.h"
#include "core/app/desktopfiles.h"
#include "core/app/instancemessage.h"

using namespace qm;

TEST(InstanceMessage, RoundTripAndEveryPartialArrival) {
    const std::vector<std::string> files = {"/m/a.sqs", "/m/with space/\xC3\xA9.ext", "/m/line\nbreak.txt"};
    const std::string bytes = EncodeOpenRequest(files);
    std::vector<std::string> out;
    ASSERT_EQ(DecodeOpenRequest(bytes, out), DecodeResult::Complete);
    EXPECT_EQ(out, files);
    for (size_t n = 0; n < bytes.size(); ++n)
        EXPECT_EQ(DecodeOpenRequest(std::string_view(bytes).substr(0, n), out), DecodeResult::Incomplete) << n;
    ASSERT_EQ(DecodeOpenRequest(EncodeOpenRequest({}), out), DecodeResult::Complete);
    EXPECT_TRUE(out.empty());
}

TEST(InstanceMessage, AnythingElseOnTheSocketIsRefused) {
    std::vector<std::string> out;
    const std::string good = EncodeOpenRequest({"/a"});
    for (const std::string& bad :
         {std::string("GET / HTTP/1.1\r\n"), good + "x", std::string("QUILLMARK-OPEN 1\n99999999\n"),
          std::string("QUILLMARK-OPEN 1\n1\n70000\n"), std::string("QUILLMARK-OPEN 1\n1\n0\n"),
          std::string("QUILLMARK-OPEN 1\n-1\n"), std::string("QUILLMARK-OPEN 1\n1\n2\na\0", 24)})
        EXPECT_EQ(DecodeOpenRequest(bad, out), DecodeResult::Invalid) << bad;
}

TEST(InstanceMessage, SocketPathPerUser) {
    EXPECT_EQ(InstanceSocketPath(std::string("/t/s"), std::string("/run/user/5"), 5), "/t/s");
    EXPECT_EQ(InstanceSocketPath(std::nullopt, std::string("/run/user/5"), 5), "/run/user/5/quillmark.socket");
    EXPECT_EQ(InstanceSocketPath(std::string(""), std::string("relative"), 1000), "/tmp/quillmark-1000.socket");
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
