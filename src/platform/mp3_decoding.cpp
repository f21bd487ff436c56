#include "mp3_decoding.h"

#include <memory>
#include <mpg123.h>

namespace corvalen {

namespace {

struct HandleCloser {
    void operator()(mpg123_handle* handle) const { mpg123_delete(handle); }
};
using Handle = std::unique_ptr<mpg123_handle, HandleCloser>;

Handle openFeed()
{
    int error = MPG123_OK;
    Handle handle(mpg123_new(nullptr, &error));
    if (!handle)
        return {};
    mpg123_param(handle.get(), MPG123_ADD_FLAGS, MPG123_QUIET | MPG123_GAPLESS, 0.);
    // A file with no frame near its start is no tone; don't hunt through it for one.
    mpg123_param(handle.get(), MPG123_RESYNC_LIMIT, 2048, 0.);
    mpg123_format_none(handle.get());
    mpg123_format(handle.get(), kToneRate, MPG123_STEREO, MPG123_ENC_SIGNED_16);
    if (mpg123_open_feed(handle.get()) != MPG123_OK)
        return {};
    return handle;
}

} // namespace

QByteArray decodeMp3(const QByteArray& file)
{
    static const bool initialised = mpg123_init() == MPG123_OK;
    Handle handle = initialised ? openFeed() : Handle();
    if (!handle || file.isEmpty())
        return {};
    const qsizetype maxBytes = qsizetype(kMaxToneSeconds) * kToneRate * kToneBytesPerFrame;
    QByteArray samples;
    unsigned char chunk[16384];
    size_t done = 0;
    int status
        = mpg123_decode(handle.get(), reinterpret_cast<const unsigned char*>(file.constData()),
            size_t(file.size()), chunk, sizeof chunk, &done);
    while (samples.size() < maxBytes) {
        samples.append(reinterpret_cast<const char*>(chunk), qsizetype(done));
        if (status == MPG123_NEED_MORE || status == MPG123_DONE)
            break;
        if (status != MPG123_OK && status != MPG123_NEW_FORMAT)
            return {};
        status = mpg123_decode(handle.get(), nullptr, 0, chunk, sizeof chunk, &done);
    }
    // The encoder's header says how many samples the file holds; fewer means it was cut short.
    const off_t declared = mpg123_length(handle.get());
    const qsizetype frames = samples.size() / kToneBytesPerFrame;
    if (frames == 0 || (declared > 0 && frames < declared * 95 / 100 && samples.size() < maxBytes))
        return {};
    return samples;
}

} // namespace corvalen
