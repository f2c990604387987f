#pragma once
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>

// Compares a generated text with its reference file under tests/data/expected/wizards/, byte for
// byte. With QM_UPDATE_EXPECTED set the file is rewritten instead (scripts/update-expected.sh);
// the reviewer then reads the changed bytes in the diff.
inline void ExpectSameAsFile(const std::string& actual, const std::string& name) {
    const std::string path = std::string(QM_EXPECTED_DIR) + "/wizards/" + name;
    if (std::getenv("QM_UPDATE_EXPECTED")) {
        std::ofstream(path, std::ios::binary) << actual;
        return;
    }
    std::ifstream in(path, std::ios::binary);
    ASSERT_TRUE(in) << "missing reference file " << path;
    const std::string expected{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_EQ(actual, expected) << "differs from " << path;
}
