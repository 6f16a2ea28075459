// A small JSON writer for the runner's dump: objects, arrays, integers, reals, booleans and
// strings, written into one line with commas placed for the caller.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace wh::sim {

class JsonWriter {
public:
    void beginObject();
    void endObject();
    void beginArray();
    void endArray();
    void key(std::string_view name);

    void integer(int64_t v);
    // Written with enough digits to read back the same value; a value JSON cannot hold is null.
    void real(double v, int significantDigits);
    void boolean(bool v);
    void string(std::string_view s);

    const std::string& str() const { return out_; }

private:
    void beforeValue();

    std::string out_;
    bool needComma_ = false;
};

} // namespace wh::sim
