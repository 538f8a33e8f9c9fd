#pragma once

#include <memory>

#include <openssl/evp.h>
#include <openssl/x509.h>

namespace wx::sim {

struct KeyDeleter {
    void operator()(EVP_PKEY* key) const { EVP_PKEY_free(key); }
};
struct CertificateDeleter {
    void operator()(X509* certificate) const { X509_free(certificate); }
};

// An RSA key and a certificate for 127.0.0.1 and localhost signed with it,
// valid from a day ago for thirty days. Both empty when OpenSSL fails.
struct SelfSignedCertificate {
    std::unique_ptr<EVP_PKEY, KeyDeleter> key;
    std::unique_ptr<X509, CertificateDeleter> certificate;

    static SelfSignedCertificate make();
    explicit operator bool() const { return key && certificate; }
};

}  // namespace wx::sim
