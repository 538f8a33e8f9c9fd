#pragma once

#include <string>

namespace wx::test {

// A certificate authority (a PEM file) in the current user's root store for
// the object's life, so that WinHTTP trusts it in processes that check
// their first certificate afterwards (Wine reads the store once per
// process). On Windows adding to this store asks the user, so only Wine
// test runs use it.
class RootStoreEntry {
public:
    explicit RootStoreEntry(const std::string& pemPath);
    ~RootStoreEntry();
    RootStoreEntry(const RootStoreEntry&) = delete;
    RootStoreEntry& operator=(const RootStoreEntry&) = delete;

    bool added() const { return !thumbprint_.empty(); }

private:
    std::wstring thumbprint_;  // the SHA-1 of the certificate, upper-case hexadecimal
};

}  // namespace wx::test
