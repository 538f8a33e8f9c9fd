#pragma once

#include <string>

namespace wx::test {

// A certificate authority (a PEM file) in the current user's root store for
// the object's life, so that WinHTTP in this Wine prefix trusts it. Under
// Wine the store is the prefix's registry; on Windows adding to it asks the
// user, so only Wine test runs use this.
class RootStoreEntry {
public:
    explicit RootStoreEntry(const std::string& pemPath);
    ~RootStoreEntry();
    RootStoreEntry(const RootStoreEntry&) = delete;
    RootStoreEntry& operator=(const RootStoreEntry&) = delete;

    bool added() const { return certificate_ != nullptr; }

private:
    const void* certificate_ = nullptr;  // the store's copy, a PCCERT_CONTEXT
};

}  // namespace wx::test
