#include "still_frames.h"

#include "command_line.h"
#include "picture_scale.h"
#include "progress.h"
#include "terminal_text.h"

Still render_still(const ProgramInfo& info, std::uint32_t ms, bool guides, int scale, bool square_pixels) {
    Still still;
    still.pixels.assign(static_cast<std::size_t>(info.width) * info.height, 0u);
    draw_frame(info, packed_canvas(still.pixels.data(), info.width, info.height), ms, guides);
    still.width = info.width;
    still.height = info.height;
    if (scale > 0) {
        const PictureSize size = scaled_picture_size(info.width, info.height, scale, square_pixels);
        std::vector<std::uint32_t> picture(static_cast<std::size_t>(size.width) * size.height);
        scale_picture(still.pixels.data(), info.width, info.height, scale, square_pixels, picture.data());
        still.pixels.swap(picture);
        still.width = size.width;
        still.height = size.height;
    }
    return still;
}

std::string parse_frame_pattern(const std::string& text, FramePattern& pattern) {
    const std::string allowed = "expected one %d or %0Nd field (N from 1 to 9) and no other '%', as in f%05d.png";
    const std::size_t at = text.find('%');
    if (at == std::string::npos) return joined({"no %d field: ", allowed});
    std::size_t end = at + 1;  // the field is text[at, end]
    int width = 0;
    if (end + 2 < text.size() && text[end] == '0' && text[end + 1] >= '1' && text[end + 1] <= '9') {
        width = text[end + 1] - '0';
        end += 2;
    }
    if (end >= text.size() || text[end] != 'd') return allowed;
    if (text.find('%', end) != std::string::npos) return allowed;
    pattern.before = text.substr(0, at);
    pattern.after = text.substr(end + 1);
    pattern.width = width;
    return "";
}

std::string frame_file_name(const FramePattern& pattern, std::uint32_t number) {
    std::string digits = std::to_string(number);
    if (digits.size() < static_cast<std::size_t>(pattern.width))
        digits.insert(0, static_cast<std::size_t>(pattern.width) - digits.size(), '0');
    return joined({pattern.before, digits, pattern.after});
}

std::uint64_t frames_count(const FramesOptions& options) {
    return options.to < options.from ? 0 : (std::uint64_t{options.to} - options.from) / options.step + 1;
}

std::string write_frame_run(const ProgramInfo& info, const FramesOptions& options, const StillFiles& files,
                            Progress* progress, bool (*keep_going)(), std::uint64_t& written) {
    written = 0;
    const std::uint64_t count = frames_count(options);
    const auto stopped = [keep_going] { return keep_going && !keep_going(); };
    // Every name is looked at before the first is written: a run never
    // stops half way over a file that was there before it. A long look
    // stops as soon as the run is stopped.
    for (std::uint64_t i = 0; i < count && !stopped(); ++i) {
        const std::string name = frame_file_name(options.pattern, static_cast<std::uint32_t>(i));
        if (files.taken(name))
            return joined({"cannot write ", name,
                           ": it is already there, and --frames never overwrites a file (nothing written)"});
    }
    for (std::uint64_t i = 0; i < count && !stopped(); ++i) {
        const auto ms = static_cast<std::uint32_t>(options.from + i * options.step);
        const std::string name = frame_file_name(options.pattern, static_cast<std::uint32_t>(i));
        std::string error;
        if (!files.write(name, render_still(info, ms, options.guides, options.scale, options.square_pixels), true,
                         error))
            return written ? joined({error, " (the ", std::to_string(written), " frames before it are written)"})
                           : error;
        ++written;
        if (progress) progress->update(static_cast<long long>(written));
    }
    return "";
}

SavedFrame save_frame(const ProgramInfo& info, std::uint32_t ms, bool guides, const StillFiles& files) {
    const std::string stem = joined({info.name, "-", std::to_string(ms)});
    const Still still = render_still(info, ms, guides);
    std::string error;
    for (int n = 1; n <= 1000; ++n) {
        const std::string name = joined({stem, n > 1 ? "-" : "", n > 1 ? std::to_string(n) : "", files.extension});
        if (files.taken(name)) continue;
        if (files.write(name, still, true, error))
            return {true, joined({"saved ", name, "  ?program=", info.name, "&t=", std::to_string(ms), "&paused"})};
        if (!files.taken(name)) return {false, message_line(info.name, error)};
        // taken between the look and the write: the next name
    }
    return {false, message_line(info.name, joined({"cannot save the frame: ", stem, files.extension,
                                                   " and its numbered names up to -1000 are all taken"}))};
}
