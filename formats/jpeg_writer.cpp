#include "formats/jpeg_writer.h"

#include <cerrno>
#include <cmath>
#include <csetjmp>
#include <cstdio>  // jpeglib.h needs FILE and size_t declared first
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>

#include <jpeglib.h>

// After jpeglib.h, which it needs.
#include <jerror.h>

#include "platform/atomic_write.h"

namespace strikon {
namespace {

// libjpeg's default error handler calls exit(). Ours records the message and jumps back to the
// compressor, which turns it into a returned failure.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void onFatalError(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

// Warnings would go to stderr; a warning does not spoil the file, so it is dropped.
void onMessage(j_common_ptr) {}

// Everything the compressor touches lives here, outside the frame that calls setjmp, so the
// values are well defined after a longjmp and no destructor is skipped by it.
struct Job {
    jpeg_compress_struct cinfo;
    ErrorManager err;
    unsigned char* out = nullptr;  // malloc'ed by jpeg_mem_dest
    unsigned long outSize = 0;
    const QImage* rgb = nullptr;  // Format_RGB888
    int quality = kDefaultJpegQuality;
    UINT16 dpiX = 0;
    UINT16 dpiY = 0;
};

// Only trivially destructible locals here, because libjpeg may longjmp out of any call.
bool compress(Job& job) {
    job.cinfo.err = jpeg_std_error(&job.err.pub);
    job.err.pub.error_exit = onFatalError;
    job.err.pub.output_message = onMessage;
    if (setjmp(job.err.jump)) {
        return false;
    }
    jpeg_create_compress(&job.cinfo);
    jpeg_mem_dest(&job.cinfo, &job.out, &job.outSize);

    const QImage& img = *job.rgb;
    job.cinfo.image_width = static_cast<JDIMENSION>(img.width());
    job.cinfo.image_height = static_cast<JDIMENSION>(img.height());
    job.cinfo.input_components = 3;
    job.cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&job.cinfo);
    jpeg_set_quality(&job.cinfo, job.quality, TRUE);
    for (int i = 0; i < job.cinfo.num_components; ++i) {
        job.cinfo.comp_info[i].h_samp_factor = 1;
        job.cinfo.comp_info[i].v_samp_factor = 1;
    }
    job.cinfo.write_JFIF_header = TRUE;
    if (job.dpiX > 0 && job.dpiY > 0) {
        job.cinfo.density_unit = 1;  // dots per inch
        job.cinfo.X_density = job.dpiX;
        job.cinfo.Y_density = job.dpiY;
    }

    jpeg_start_compress(&job.cinfo, TRUE);
    while (job.cinfo.next_scanline < job.cinfo.image_height) {
        // libjpeg does not write through the row pointer; the cast only satisfies its C API.
        JSAMPROW row = const_cast<JSAMPROW>(img.constScanLine(int(job.cinfo.next_scanline)));
        jpeg_write_scanlines(&job.cinfo, &row, 1);
    }
    jpeg_finish_compress(&job.cinfo);
    return true;
}

// Dots per metre to the nearest whole dot per inch; 0 when it does not fit the JFIF field.
UINT16 dotsPerInch(int dotsPerMeter) {
    const long dpi = std::lround(dotsPerMeter * 0.0254);
    if (dpi <= 0 || dpi > std::numeric_limits<UINT16>::max()) {
        return 0;
    }
    return static_cast<UINT16>(dpi);
}

}  // namespace

ValueResult<QByteArray> encodeJpeg(const QImage& image, int quality) {
    if (image.isNull()) {
        return ValueResult<QByteArray>::failure(QStringLiteral("The picture is empty."));
    }
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    if (rgb.isNull()) {  // its samples did not fit in memory
        return ValueResult<QByteArray>::failure(QString::fromLocal8Bit(std::strerror(ENOMEM)),
                                                ENOMEM);
    }
    auto job =
        std::make_unique<Job>();  // value-initialised: a failed create still destroys cleanly
    job->rgb = &rgb;
    job->quality = quality;
    job->dpiX = dotsPerInch(image.dotsPerMeterX());
    job->dpiY = dotsPerInch(image.dotsPerMeterY());

    const bool ok = compress(*job);
    jpeg_destroy_compress(&job->cinfo);
    auto freeOut = std::unique_ptr<unsigned char, decltype(&std::free)>(job->out, &std::free);
    if (!ok) {
        return ValueResult<QByteArray>::failure(
            QString::fromLocal8Bit(job->err.message),
            job->err.pub.msg_code == JERR_OUT_OF_MEMORY ? ENOMEM : 0);
    }
    return ValueResult<QByteArray>::success(
        QByteArray(reinterpret_cast<const char*>(job->out), qsizetype(job->outSize)));
}

WriteResult writeJpeg(const QImage& image, const QString& path, int quality) {
    auto encoded = encodeJpeg(image, quality);
    if (!encoded.ok) {
        return WriteResult::failure(encoded.error);
    }
    return writeFileAtomically(path, encoded.value);
}

}  // namespace strikon
