#include "fake_display.h"

#include "framework.h"

namespace fake_display {

namespace {
std::vector<std::uint32_t> readings;
std::uint32_t next_reading = 0, reading_step = 0;
bool use_list = false;
std::size_t list_index = 0;
std::vector<std::string> call_log;
int reads = 0;
}  // namespace

int open_result = 1;
std::function<void(const std::uint32_t*)> on_present;

void reset() {
    clock_steps(0, 0);
    open_result = 1;
    on_present = nullptr;
    call_log.clear();
    reads = 0;
}

void clock_steps(std::uint32_t first, std::uint32_t step) {
    use_list = false;
    next_reading = first;
    reading_step = step;
}

void clock_readings(std::vector<std::uint32_t> list) {
    use_list = true;
    readings = std::move(list);
    list_index = 0;
}

const std::vector<std::string>& calls() { return call_log; }
int clock_reads() { return reads; }

}  // namespace fake_display

using namespace fake_display;

std::uint32_t clock_ms() {
    ++reads;
    if (use_list) {
        if (readings.empty()) return 0;
        const std::uint32_t r = readings[list_index];
        if (list_index + 1 < readings.size()) ++list_index;
        return r;
    }
    const std::uint32_t r = next_reading;
    next_reading += reading_step;
    return r;
}

int open_display(const char* title, int width, int height) {
    call_log.push_back("open_display " + std::string(title) + " " + std::to_string(width) + "x" +
                       std::to_string(height));
    return open_result;
}

void close_display() { call_log.push_back("close_display"); }

int present_frame(const std::uint32_t* frame_buffer) {
    call_log.push_back("present_frame");
    if (on_present) on_present(frame_buffer);
    return 1;
}

void rest_display(const std::uint32_t*, std::uint32_t) { call_log.push_back("rest_display"); }
