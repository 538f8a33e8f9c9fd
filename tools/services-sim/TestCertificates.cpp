#include "TestCertificates.h"

#include <openssl/pem.h>
#include <openssl/rsa.h>
#include <openssl/x509v3.h>

namespace wx::sim {
namespace {

struct ExtensionDeleter {
    void operator()(X509_EXTENSION* extension) const { X509_EXTENSION_free(extension); }
};
struct BioDeleter {
    void operator()(BIO* bio) const { BIO_free(bio); }
};

bool addExtension(X509* certificate, X509* issuer, int nid, const char* value) {
    X509V3_CTX context;
    X509V3_set_ctx_nodb(&context);
    X509V3_set_ctx(&context, issuer, certificate, nullptr, nullptr, 0);
    const std::unique_ptr<X509_EXTENSION, ExtensionDeleter> extension(
        X509V3_EXT_conf_nid(nullptr, &context, nid, value));
    return extension && X509_add_ext(certificate, extension.get(), -1) == 1;
}

bool addName(X509_NAME* name, const char* field, const char* value) {
    return X509_NAME_add_entry_by_txt(name, field, MBSTRING_ASC, reinterpret_cast<const unsigned char*>(value), -1,
                                      -1, 0) == 1;
}

// A fresh key and a certificate for it with the common name and the
// extensions given, signed by issuer (itself when issuer is empty).
KeyAndCertificate issue(const char* commonName, long serial, const KeyAndCertificate* issuer,
                        const std::initializer_list<std::pair<int, const char*>>& extensions) {
    KeyAndCertificate made;
    made.key.reset(EVP_RSA_gen(2048));
    made.certificate.reset(X509_new());
    X509* cert = made.certificate.get();
    if (!made.key || cert == nullptr) {
        return {};
    }
    X509* issuerCert = issuer != nullptr ? issuer->certificate.get() : cert;
    EVP_PKEY* signingKey = issuer != nullptr ? issuer->key.get() : made.key.get();
    X509_NAME* name = X509_get_subject_name(cert);
    bool ok = X509_set_version(cert, 2) == 1 && ASN1_INTEGER_set(X509_get_serialNumber(cert), serial) == 1 &&
              X509_gmtime_adj(X509_getm_notBefore(cert), -24L * 3600) != nullptr &&
              X509_gmtime_adj(X509_getm_notAfter(cert), 30L * 24 * 3600) != nullptr &&
              X509_set_pubkey(cert, made.key.get()) == 1 &&
              addName(name, "O", "Nubiro web-services stand-in") && addName(name, "CN", commonName) &&
              X509_set_issuer_name(cert, X509_get_subject_name(issuerCert)) == 1;
    for (const auto& [nid, value] : extensions) {
        ok = ok && addExtension(cert, issuerCert, nid, value);
    }
    if (!ok || X509_sign(cert, signingKey, EVP_sha256()) <= 0) {
        return {};
    }
    return made;
}

}  // namespace

std::optional<TestCertificates> TestCertificates::make() {
    TestCertificates made;
    made.authority = issue("Nubiro stand-in authority", 1, nullptr,
                           {{NID_basic_constraints, "critical,CA:TRUE"},
                            {NID_key_usage, "critical,keyCertSign,cRLSign"},
                            {NID_subject_key_identifier, "hash"}});
    if (!made.authority.certificate) {
        return std::nullopt;
    }
    const std::string wrongHostName = std::string("DNS:") + kWrongHostName;
    made.loopback = issue("127.0.0.1", 2, &made.authority,
                          {{NID_subject_alt_name, "IP:127.0.0.1,DNS:127.0.0.1,DNS:localhost"},
                           {NID_basic_constraints, "critical,CA:FALSE"},
                           {NID_ext_key_usage, "serverAuth"},
                           {NID_authority_key_identifier, "keyid"}});
    made.wrongHost = issue(kWrongHostName, 3, &made.authority,
                           {{NID_subject_alt_name, wrongHostName.c_str()},
                            {NID_basic_constraints, "critical,CA:FALSE"},
                            {NID_ext_key_usage, "serverAuth"},
                            {NID_authority_key_identifier, "keyid"}});
    if (!made.loopback.certificate || !made.wrongHost.certificate) {
        return std::nullopt;
    }
    return made;
}

std::string TestCertificates::authorityPem() const {
    const std::unique_ptr<BIO, BioDeleter> bio(BIO_new(BIO_s_mem()));
    if (!bio || PEM_write_bio_X509(bio.get(), authority.certificate.get()) != 1) {
        return {};
    }
    char* data = nullptr;
    const long size = BIO_get_mem_data(bio.get(), &data);
    return std::string(data, static_cast<size_t>(size));
}

}  // namespace wx::sim
