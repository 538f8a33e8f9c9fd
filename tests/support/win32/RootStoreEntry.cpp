#include "support/win32/RootStoreEntry.h"

#include <windows.h>
#include <wincrypt.h>

#include <fstream>
#include <sstream>
#include <vector>

#include "util/Utf8Path.h"

namespace wx::test {
namespace {

std::vector<BYTE> derFromPem(const std::string& pemPath) {
    std::ifstream file(utf8Path(pemPath), std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    const std::string pem = text.str();
    DWORD size = 0;
    if (pem.empty() || !CryptStringToBinaryA(pem.c_str(), 0, CRYPT_STRING_BASE64HEADER, nullptr, &size, nullptr,
                                             nullptr)) {
        return {};
    }
    std::vector<BYTE> der(size);
    if (!CryptStringToBinaryA(pem.c_str(), 0, CRYPT_STRING_BASE64HEADER, der.data(), &size, nullptr, nullptr)) {
        return {};
    }
    der.resize(size);
    return der;
}

HCERTSTORE openRootStore() {
    return CertOpenStore(CERT_STORE_PROV_SYSTEM_W, 0, 0, CERT_SYSTEM_STORE_CURRENT_USER, L"Root");
}

}  // namespace

RootStoreEntry::RootStoreEntry(const std::string& pemPath) {
    const std::vector<BYTE> der = derFromPem(pemPath);
    const HCERTSTORE store = openRootStore();
    if (der.empty() || store == nullptr) {
        if (store != nullptr) {
            CertCloseStore(store, 0);
        }
        return;
    }
    PCCERT_CONTEXT added = nullptr;
    if (CertAddEncodedCertificateToStore(store, X509_ASN_ENCODING, der.data(), static_cast<DWORD>(der.size()),
                                         CERT_STORE_ADD_REPLACE_EXISTING, &added)) {
        certificate_ = added;
    }
    CertCloseStore(store, 0);
}

RootStoreEntry::~RootStoreEntry() {
    if (certificate_ != nullptr) {
        // Deleting frees the context it is given.
        CertDeleteCertificateFromStore(static_cast<PCCERT_CONTEXT>(certificate_));
    }
}

}  // namespace wx::test
