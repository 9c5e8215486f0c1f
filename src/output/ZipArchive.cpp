#include "output/ZipArchive.h"

#include <zlib.h>

#include <algorithm>
#include <ctime>
#include <limits>
#include <stdexcept>

namespace kivrun {
namespace {

constexpr std::uint64_t kLimit = std::numeric_limits<std::uint32_t>::max();
constexpr std::uint16_t kVersion = 20;                  // 2.0: deflate
constexpr std::uint16_t kFlags = (1 << 3) | (1 << 11);  // sizes after the data; UTF-8 names

void Le16(std::string& out, std::uint16_t v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>(v >> 8);
}

void Le32(std::string& out, std::uint64_t v) {
    if (v > kLimit) throw std::length_error("The workbook is too large for a .zip archive.");
    for (int i = 0; i < 4; ++i)
        out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

}  // namespace

struct ZipArchive::Stream {
    z_stream z{};
};

ZipArchive::ZipArchive(std::ostream& out, int level)
    : out_(out), level_(level), stream_(std::make_unique<Stream>()) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    dosTime_ =
        static_cast<std::uint16_t>(local.tm_hour << 11 | local.tm_min << 5 | local.tm_sec / 2);
    dosDate_ = static_cast<std::uint16_t>(std::max(0, local.tm_year - 80) << 9 |
                                          (local.tm_mon + 1) << 5 | local.tm_mday);
    buffer_.resize(1 << 16);
}

ZipArchive::~ZipArchive() {
    if (open_) deflateEnd(&stream_->z);
}

void ZipArchive::Put(std::string_view bytes) {
    out_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out_) throw std::runtime_error("the workbook could not be written");
    written_ += bytes.size();
}

void ZipArchive::Begin(const std::string& name) {
    if (open_) End();
    Entry e;
    e.name = name;
    e.offset = written_;
    e.crc = static_cast<std::uint32_t>(crc32(0, nullptr, 0));
    std::string header;
    Le32(header, 0x04034b50);
    Le16(header, kVersion);
    Le16(header, kFlags);
    Le16(header, Z_DEFLATED);
    Le16(header, dosTime_);
    Le16(header, dosDate_);
    Le32(header, 0);  // CRC and sizes: in the descriptor after the data
    Le32(header, 0);
    Le32(header, 0);
    Le16(header, static_cast<std::uint16_t>(name.size()));
    Le16(header, 0);
    header += name;
    Put(header);
    entries_.push_back(std::move(e));
    stream_->z = z_stream{};
    // Raw deflate (negative window bits): the zip entry has no zlib header of its own.
    if (deflateInit2(&stream_->z, level_, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::runtime_error("could not start compressing the workbook");
    open_ = true;
}

void ZipArchive::Deflate(int flush) {
    Entry& e = entries_.back();
    int result = Z_OK;
    do {
        stream_->z.next_out = reinterpret_cast<Bytef*>(buffer_.data());
        stream_->z.avail_out = static_cast<uInt>(buffer_.size());
        result = deflate(&stream_->z, flush);
        if (result == Z_STREAM_ERROR) throw std::runtime_error("could not compress the workbook");
        const std::size_t produced = buffer_.size() - stream_->z.avail_out;
        Put(std::string_view(buffer_.data(), produced));
        e.compressed += produced;
    } while (stream_->z.avail_out == 0 || (flush == Z_FINISH && result != Z_STREAM_END));
}

void ZipArchive::Write(std::string_view bytes) {
    if (!open_ || bytes.empty()) return;
    Entry& e = entries_.back();
    e.crc = static_cast<std::uint32_t>(crc32(e.crc, reinterpret_cast<const Bytef*>(bytes.data()),
                                             static_cast<uInt>(bytes.size())));
    e.size += bytes.size();
    stream_->z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    stream_->z.avail_in = static_cast<uInt>(bytes.size());
    Deflate(Z_NO_FLUSH);
}

void ZipArchive::End() {
    Deflate(Z_FINISH);
    deflateEnd(&stream_->z);
    open_ = false;
    const Entry& e = entries_.back();
    std::string descriptor;
    Le32(descriptor, 0x08074b50);
    Le32(descriptor, e.crc);
    Le32(descriptor, e.compressed);
    Le32(descriptor, e.size);
    Put(descriptor);
}

void ZipArchive::Finish() {
    if (open_) End();
    const std::uint64_t start = written_;
    std::string directory;
    for (const Entry& e : entries_) {
        Le32(directory, 0x02014b50);
        Le16(directory, kVersion);  // made by
        Le16(directory, kVersion);  // needed to extract
        Le16(directory, kFlags);
        Le16(directory, Z_DEFLATED);
        Le16(directory, dosTime_);
        Le16(directory, dosDate_);
        Le32(directory, e.crc);
        Le32(directory, e.compressed);
        Le32(directory, e.size);
        Le16(directory, static_cast<std::uint16_t>(e.name.size()));
        Le16(directory, 0);  // extra field
        Le16(directory, 0);  // comment
        Le16(directory, 0);  // disk
        Le16(directory, 0);  // internal attributes
        Le32(directory, 0);  // external attributes
        Le32(directory, e.offset);
        directory += e.name;
    }
    std::string end;
    Le32(end, 0x06054b50);
    Le16(end, 0);
    Le16(end, 0);
    Le16(end, static_cast<std::uint16_t>(entries_.size()));
    Le16(end, static_cast<std::uint16_t>(entries_.size()));
    Le32(end, directory.size());
    Le32(end, start);
    Le16(end, 0);
    Put(directory + end);
    out_.flush();
    if (!out_) throw std::runtime_error("the workbook could not be written");
}

}  // namespace kivrun
