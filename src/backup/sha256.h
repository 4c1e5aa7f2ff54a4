#pragma once
#include <QByteArray>
#include <QByteArrayView>

#include <memory>

namespace minasel::backup {

// SHA-256 of a stream of bytes, for the manifest of a backup set. Through
// OpenSSL's libcrypto where the build found it (it uses the processor's SHA
// instructions: a set of tens of megabytes is hashed in a fraction of the time
// of QCryptographicHash), else through QCryptographicHash; both give the same
// digest.
class Sha256 {
public:
    Sha256();
    ~Sha256();
    Sha256(const Sha256&) = delete;
    Sha256& operator=(const Sha256&) = delete;

    void add(QByteArrayView bytes);
    // Lower-case hex; the hash cannot take more bytes after it.
    QByteArray hexResult();

    static QByteArray hex(QByteArrayView bytes);

private:
    struct State;
    std::unique_ptr<State> m_state;
};

} // namespace minasel::backup
