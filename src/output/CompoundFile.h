#pragma once

#include <iosfwd>
#include <string>

namespace kivrun {

// A compound file (version 3, 512-byte sectors) holding one stream under the root. A stream
// shorter than 4096 bytes is padded with zeros to that size, so it always lives in regular
// sectors and no mini stream is needed. Throws std::length_error past 4 GB.
void WriteCompoundFile(std::ostream& out, const std::string& streamName, std::string stream);

}  // namespace kivrun
