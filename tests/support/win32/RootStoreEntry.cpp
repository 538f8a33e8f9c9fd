#include "support/win32/RootStoreEntry.h"

#include <windows.h>
#include <wincrypt.h>

#include <cwchar>
#include <fstream>
#include <sstream>
#include <vector>

#include "util/Utf8Path.h"

namespace wx::test {
namespace {

// Where the user's root store keeps each certificate, under its thumbprint.
constexpr wchar_t kCertificatesKey[] = L"Software\\Microsoft\\SystemCertificates\\Root\\Certificates\\";

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

std::wstring thumbprintOf(const std::vector<BYTE>& der) {
    BYTE hash[20];
    DWORD size = sizeof hash;
    if (!CryptHashCertificate(0, CALG_SHA1, 0, der.data(), static_cast<DWORD>(der.size()), hash, &size)) {
        return {};
    }
    std::wstring hex;
    for (DWORD i = 0; i < size; ++i) {
        wchar_t digits[3];
        std::swprintf(digits, 3, L"%02X", hash[i]);
        hex += digits;
    }
    return hex;
}

}  // namespace

RootStoreEntry::RootStoreEntry(const std::string& pemPath) {
    const std::vector<BYTE> der = derFromPem(pemPath);
    if (der.empty()) {
        return;
    }
    const HCERTSTORE store = CertOpenStore(CERT_STORE_PROV_SYSTEM_W, 0, 0, CERT_SYSTEM_STORE_CURRENT_USER, L"Root");
    if (store == nullptr) {
        return;
    }
    // No copy of the added context is kept: closing the store then writes
    // the certificate into the registry at once.
    const bool stored = CertAddEncodedCertificateToStore(store, X509_ASN_ENCODING, der.data(),
                                                         static_cast<DWORD>(der.size()),
                                                         CERT_STORE_ADD_REPLACE_EXISTING, nullptr) != FALSE;
    CertCloseStore(store, 0);
    if (stored) {
        thumbprint_ = thumbprintOf(der);
    }
}

RootStoreEntry::~RootStoreEntry() {
    // Wine keeps a certificate deleted through the store API in the
    // registry, so its key is deleted instead.
    if (added()) {
        RegDeleteKeyW(HKEY_CURRENT_USER, (std::wstring(kCertificatesKey) + thumbprint_).c_str());
    }
}

}  // namespace wx::test
