#include "backup/sha256.h"

#ifdef MINASEL_OPENSSL_SHA
#include <openssl/evp.h>
#else
#include <QCryptographicHash>
#endif

namespace minasel::backup {

#ifdef MINASEL_OPENSSL_SHA
struct Sha256::State {
    EVP_MD_CTX* ctx = EVP_MD_CTX_new();
    ~State() { EVP_MD_CTX_free(ctx); }
};

Sha256::Sha256() : m_state(std::make_unique<State>())
{
    EVP_DigestInit_ex(m_state->ctx, EVP_sha256(), nullptr);
}

void Sha256::add(QByteArrayView bytes)
{
    EVP_DigestUpdate(m_state->ctx, bytes.data(), size_t(bytes.size()));
}

QByteArray Sha256::hexResult()
{
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int size = 0;
    EVP_DigestFinal_ex(m_state->ctx, digest, &size);
    return QByteArray(reinterpret_cast<const char*>(digest), int(size)).toHex();
}
#else
struct Sha256::State {
    QCryptographicHash hash{QCryptographicHash::Sha256};
};

Sha256::Sha256() : m_state(std::make_unique<State>()) {}

void Sha256::add(QByteArrayView bytes)
{
    m_state->hash.addData(bytes);
}

QByteArray Sha256::hexResult()
{
    return m_state->hash.result().toHex();
}
#endif

Sha256::~Sha256() = default;

QByteArray Sha256::hex(QByteArrayView bytes)
{
    Sha256 h;
    h.add(bytes);
    return h.hexResult();
}

} // namespace minasel::backup
