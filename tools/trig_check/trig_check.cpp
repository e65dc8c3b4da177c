// trig_check: a one-off check of the pack's sin and cos (core/trig.cpp),
// not part of the tests. Built natively with -DPACK_TRIG_CHECK=ON (it needs
// Debian's libmpfr-dev); run it niced, it takes a while:
//
//   trig_check frames [N]   every call the frames make, against glibc: the
//                           three scenes at every ms of their shows, drawn by
//                           the real frame code, their guides too, and
//                           fennick's transform and balls at N clock counts
//                           (default 10^8: the 2*10^7 from 0, from
//                           2^31 - 10^7 and up to 2^32 - 1, and 4*10^7 spread
//                           over the whole count)
//   trig_check hard         the doubles nearest to k pi/2 for every k of the
//                           domain, and their neighbours, against MPFR
//   trig_check random [N]   N random arguments of the domain against MPFR
//   trig_check table        the unit test's table (tests/core/trig_test.cpp)
//
// The frames' calls reach this file's pack_sin and pack_cos, which the linker
// takes before libpack_trig's; they answer with ours, core/trig.cpp compiled a
// second time under the names checked_sin and checked_cos (CMakeLists.txt).
// Where ours and glibc differ, MPFR (a 53-bit result correctly rounded, and a
// 256-bit one for the error in ulps) tells which is more than half an ulp off.
#include <mpfr.h>

#include <algorithm>
#include <chrono>
#include <cinttypes>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "demo.h"
#include "display_adapter.h"
#include "program_list.h"

double checked_sin(double radians);
double checked_cos(double radians);

namespace {

constexpr double domain_limit = 0x1.8p24;

std::uint64_t bits_of(double v) {
    std::uint64_t b;
    std::memcpy(&b, &v, sizeof b);
    return b;
}

// MPFR's sin or cos of x rounded to a double, and in ulps of that double the
// distance of `v` from the exact value.
struct Reference {
    double rounded;
    double ulps;
};

Reference reference(double x, bool sine, double v) {
    mpfr_t a, y, exact, d;
    mpfr_init2(a, 53);
    mpfr_init2(y, 53);
    mpfr_init2(exact, 256);
    mpfr_init2(d, 256);
    mpfr_set_d(a, x, MPFR_RNDN);
    if (sine) {
        mpfr_sin(y, a, MPFR_RNDN);
        mpfr_sin(exact, a, MPFR_RNDN);
    } else {
        mpfr_cos(y, a, MPFR_RNDN);
        mpfr_cos(exact, a, MPFR_RNDN);
    }
    const double rounded = mpfr_get_d(y, MPFR_RNDN);
    mpfr_set_d(d, v, MPFR_RNDN);
    mpfr_sub(d, d, exact, MPFR_RNDN);
    int e;
    std::frexp(rounded, &e);
    mpfr_mul_2si(d, d, 53 - e, MPFR_RNDN);  // in units of the last place of `rounded`
    const double ulps = mpfr_get_d(d, MPFR_RNDN);
    mpfr_clears(a, y, exact, d, static_cast<mpfr_ptr>(nullptr));
    return {rounded, ulps};
}

// MPFR's correctly rounded sin or cos alone, faster.
double correctly_rounded(double x, bool sine) {
    static mpfr_t a, y;
    static bool ready = false;
    if (!ready) {
        mpfr_init2(a, 53);
        mpfr_init2(y, 53);
        ready = true;
    }
    mpfr_set_d(a, x, MPFR_RNDN);
    if (sine)
        mpfr_sin(y, a, MPFR_RNDN);
    else
        mpfr_cos(y, a, MPFR_RNDN);
    return mpfr_get_d(y, MPFR_RNDN);
}

// --- The frames' calls ---------------------------------------------------------

struct Difference {
    double x;
    bool sine;
    double ours, glibc;
};

struct Tally {
    std::uint64_t calls = 0;
    std::uint64_t differ = 0;
    double largest = 0.0;
    std::vector<Difference> differences;  // the first 10^7
};

Tally* tally = nullptr;  // where the frames' calls are counted now

double observe(double x, bool sine) {
    const double ours = sine ? checked_sin(x) : checked_cos(x);
    if (!tally) return ours;
    const double glibc = sine ? std::sin(x) : std::cos(x);
    ++tally->calls;
    tally->largest = std::max(tally->largest, std::fabs(x));
    if (bits_of(ours) != bits_of(glibc)) {
        ++tally->differ;
        if (tally->differences.size() < 10000000) tally->differences.push_back({x, sine, ours, glibc});
    }
    return ours;
}

double seconds_since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The counts, then MPFR's verdict on every difference, the first few shown.
void report(const char* what, const Tally& t, double seconds) {
    std::uint64_t ours_right = 0, glibc_right = 0, neither = 0;
    int shown = 0;
    for (const Difference& d : t.differences) {
        const Reference r = reference(d.x, d.sine, d.ours);
        const double glibc_off = reference(d.x, d.sine, d.glibc).ulps;
        const bool ours_ok = bits_of(r.rounded) == bits_of(d.ours);
        const bool glibc_ok = bits_of(r.rounded) == bits_of(d.glibc);
        ours_right += ours_ok;
        glibc_right += glibc_ok;
        neither += !ours_ok && !glibc_ok;
        if (shown < 5 || !ours_ok) {
            ++shown;
            std::printf("  %s(%a): ours %a (%+.4f ulp), glibc %a (%+.4f ulp)\n", d.sine ? "sin" : "cos", d.x, d.ours,
                        r.ulps, d.glibc, glibc_off);
        }
    }
    std::printf("%-34s %11" PRIu64 " calls, largest |x| %.9g, %" PRIu64 " differ from glibc: %" PRIu64
                " where ours is correctly rounded and glibc more than half an ulp off, %" PRIu64
                " the other way, %" PRIu64 " neither (%zu judged); %.0f s\n",
                what, t.calls, t.largest, t.differ, ours_right, glibc_right, neither, t.differences.size(), seconds);
    std::fflush(stdout);
}

const ProgramInfo* program_named(const char* name) {
    for (int i = 0; i < pack_graphics_program_count; ++i)
        if (std::strcmp(pack_programs[i]->name, name) == 0) return pack_programs[i];
    std::fprintf(stderr, "trig_check: no program %s\n", name);
    std::exit(2);
}

// Every frame of each scene's show, drawn by its own code.
int check_scenes() {
    std::uint64_t differ = 0;
    for (const char* name : {"curves", "splines", "splines2"}) {
        const ProgramInfo& program = *program_named(name);
        std::vector<std::uint32_t> pixels(static_cast<std::size_t>(program.width) * program.height);
        const Canvas canvas = packed_canvas(pixels.data(), program.width, program.height);
        Tally t;
        tally = &t;
        const auto start = std::chrono::steady_clock::now();
        for (std::uint32_t ms = 0; ms <= program.show_ms; ++ms) {
            draw_frame(program, canvas, ms, true);  // with the guides: the same shapes again
        }
        tally = nullptr;
        report((std::string(name) + ", ms 0 to " + std::to_string(program.show_ms)).c_str(), t, seconds_since(start));
        differ += t.differ;
    }
    return differ == 0 ? 0 : 1;
}

// fennick's calls for one clock count: the frame's transform and its balls,
// as draw_demo_frame makes them (the field and contours call neither).
void fennick_calls(std::uint32_t clock_ms) {
    const double t = demo_time(clock_ms);
    Matrix transform;
    build_frame_transform(t, transform);
    Vector centres[3];
    ball_centres(t, centres);
}

int check_fennick(std::uint64_t count) {
    // That the transform and the balls are all of a frame's calls.
    {
        PixelFormat format(32, 0xFF0000, 0xFF00, 0xFF, 0);
        OffscreenSurface surface(demo_width, demo_height, format);
        for (std::uint32_t clock_ms : {0u, 0x80000000u, 0xFFFFFFFFu}) {
            Tally whole, parts;
            tally = &whole;
            draw_demo_frame(clock_ms, surface);
            tally = &parts;
            fennick_calls(clock_ms);
            tally = nullptr;
            if (whole.calls != parts.calls || whole.calls == 0) {
                std::printf("fennick at %" PRIu32 ": the frame makes %" PRIu64 " calls, the parts %" PRIu64 "\n",
                            clock_ms, whole.calls, parts.calls);
                return 1;
            }
        }
    }
    const std::uint64_t block = count / 5;  // three blocks of 2/10 and a spread of 4/10
    const std::uint64_t spread = count - 3 * block;
    struct Range {
        const char* what;
        std::uint64_t first, n, stride;
    };
    const Range ranges[] = {
        {"fennick, counts from 0", 0, block, 1},
        {"fennick, counts about 2^31", 0x80000000ull - block / 2, block, 1},
        {"fennick, counts up to 2^32 - 1", 0x100000000ull - block, block, 1},
        {"fennick, counts spread over 2^32", 0, spread, 0},
    };
    std::uint64_t differ = 0;
    for (const Range& r : ranges) {
        Tally t;
        tally = &t;
        const auto start = std::chrono::steady_clock::now();
        for (std::uint64_t i = 0; i < r.n; ++i) {
            const std::uint64_t c = r.stride ? r.first + i : i * 0xFFFFFFFFull / (r.n - 1);  // 0 and 2^32 - 1 included
            fennick_calls(static_cast<std::uint32_t>(c));
        }
        tally = nullptr;
        report(r.what, t, seconds_since(start));
        differ += t.differ;
    }
    return differ == 0 ? 0 : 1;
}

// --- Hard and random arguments against MPFR -------------------------------------

// The double nearest to k pi/2, and its distance from it (absolute).
struct NearMultiple {
    double x;
    double distance;
    std::uint64_t k;
};

NearMultiple nearest_to_multiple(std::uint64_t k) {
    static mpfr_t pi_2, m, d;
    static bool ready = false;
    if (!ready) {
        mpfr_inits2(320, pi_2, m, d, static_cast<mpfr_ptr>(nullptr));
        mpfr_const_pi(pi_2, MPFR_RNDN);
        mpfr_div_2ui(pi_2, pi_2, 1, MPFR_RNDN);
        ready = true;
    }
    mpfr_mul_ui(m, pi_2, static_cast<unsigned long>(k), MPFR_RNDN);
    const double x = mpfr_get_d(m, MPFR_RNDN);
    mpfr_set_d(d, x, MPFR_RNDN);
    mpfr_sub(d, d, m, MPFR_RNDN);
    return {x, std::fabs(mpfr_get_d(d, MPFR_RNDN)), k};
}

struct Misrounded {
    std::uint64_t ours = 0, glibc = 0, checked = 0;
};

void check_one(double x, Misrounded& m) {
    for (bool sine : {true, false}) {
        const double right = correctly_rounded(x, sine);
        const double ours = sine ? checked_sin(x) : checked_cos(x);
        const double glibc = sine ? std::sin(x) : std::cos(x);
        ++m.checked;
        if (bits_of(ours) != bits_of(right)) {
            ++m.ours;
            const Reference r = reference(x, sine, ours);
            std::printf("  ours misrounds %s(%a): %a (%+.4f ulp), correctly rounded %a\n", sine ? "sin" : "cos", x, ours,
                        r.ulps, right);
        }
        if (bits_of(glibc) != bits_of(right)) ++m.glibc;
    }
}

std::uint64_t largest_k() { return static_cast<std::uint64_t>(domain_limit / (M_PI / 2)); }

int check_hard() {
    const auto start = std::chrono::steady_clock::now();
    Misrounded m;
    NearMultiple closest{0, 1, 0};
    for (std::uint64_t k = 1; k <= largest_k(); ++k) {
        const NearMultiple n = nearest_to_multiple(k);
        if (n.distance < closest.distance) closest = n;
        for (double x : {std::nextafter(n.x, 0.0), n.x, std::nextafter(n.x, 1e300)})
            if (x <= domain_limit) check_one(x, m);
    }
    std::printf("hard: the doubles nearest to k pi/2 for k = 1 to %" PRIu64 " and their neighbours: %" PRIu64
                " results, %" PRIu64 " of ours and %" PRIu64 " of glibc not correctly rounded, %.0f s\n",
                largest_k(), m.checked, m.ours, m.glibc, seconds_since(start));
    std::printf("hard: the closest is %a = %" PRIu64 " pi/2 %+.3g (2^%.2f)\n", closest.x, closest.k,
                closest.distance, std::log2(closest.distance));
    return m.ours == 0 ? 0 : 1;
}

int check_random(std::uint64_t count) {
    const auto start = std::chrono::steady_clock::now();
    std::mt19937_64 generator(24);
    std::uniform_real_distribution<double> exponent(-27.0, std::log2(domain_limit));
    std::uniform_real_distribution<double> linear(0.0, 1e7);
    Misrounded m;
    for (std::uint64_t i = 0; i < count; ++i) {
        double x = i % 2 ? std::exp2(exponent(generator)) : linear(generator);
        if (i % 4 == 3) x = -x;
        check_one(std::min(x, domain_limit), m);
    }
    std::printf("random: %" PRIu64 " results, %" PRIu64 " of ours and %" PRIu64
                " of glibc not correctly rounded, %.0f s\n",
                m.checked, m.ours, m.glibc, seconds_since(start));
    return m.ours == 0 ? 0 : 1;
}

// --- The unit test's table --------------------------------------------------------

// While set, the frames' arguments are also written here.
std::vector<double>* recording = nullptr;

int print_table() {
    std::vector<double> args;
    auto add = [&](double x) { args.push_back(x); };
    // Zero, tiny ones and the edges of the shortcuts for them.
    for (double x : {0.0, 0x1p-1074, 0x1p-1022, 1e-300, 0x1p-60, 0x1p-30}) add(x);
    for (double e : {0x1p-27, 0x1p-26}) {
        add(std::nextafter(e, 0.0));
        add(e);
        add(std::nextafter(e, 1.0));
    }
    // The doubles nearest to k pi/2 and their neighbours, for small k,
    // powers of two and the domain's end; and the 60 closest of all k.
    std::vector<std::uint64_t> ks;
    for (std::uint64_t k = 1; k <= 16; ++k) ks.push_back(k);
    for (std::uint64_t k = 32; k <= largest_k(); k *= 2) ks.push_back(k);
    ks.push_back(largest_k());
    ks.push_back(largest_k() - 1);
    std::vector<NearMultiple> closest;
    for (std::uint64_t k = 1; k <= largest_k(); ++k) {
        const NearMultiple n = nearest_to_multiple(k);
        if (closest.size() < 60 || n.distance < closest.back().distance) {
            closest.push_back(n);
            std::sort(closest.begin(), closest.end(),
                      [](const NearMultiple& a, const NearMultiple& b) { return a.distance < b.distance; });
            if (closest.size() > 60) closest.pop_back();
        }
    }
    for (std::uint64_t k : ks) {
        const double x = nearest_to_multiple(k).x;
        add(std::nextafter(x, 0.0));
        add(x);
        add(std::nextafter(x, 1e300));
    }
    for (const NearMultiple& n : closest) add(n.x);
    // The frames' largest: every argument at fennick's clock counts about
    // 2^31 and at 2^32 - 1, the scenes' twelve largest at 2^31 - 1 and 2^31
    // ms (--frame times: tau is then 2^31 - 1 and -2^31).
    std::vector<double> frames;
    recording = &frames;
    for (std::uint32_t c : {0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu}) fennick_calls(c);
    for (const char* name : {"curves", "splines2"}) {
        const ProgramInfo& program = *program_named(name);
        std::vector<std::uint32_t> pixels(static_cast<std::size_t>(program.width) * program.height);
        const Canvas canvas = packed_canvas(pixels.data(), program.width, program.height);
        std::vector<double> scene;
        recording = &scene;
        program.draw(canvas, 0x7FFFFFFFu);
        program.draw(canvas, 0x80000000u);
        std::sort(scene.begin(), scene.end(), [](double a, double b) { return std::fabs(a) > std::fabs(b); });
        scene.resize(std::min<std::size_t>(scene.size(), 12));
        frames.insert(frames.end(), scene.begin(), scene.end());
        recording = &frames;
    }
    recording = nullptr;
    for (double x : frames) add(x);
    // The domain's end, and random ones.
    add(domain_limit);
    add(std::nextafter(domain_limit, 0.0));
    std::mt19937_64 generator(2024);
    std::uniform_real_distribution<double> exponent(-20.0, std::log2(domain_limit));
    for (int i = 0; i < 40; ++i) add(std::exp2(exponent(generator)));
    // Negative ones: a few of each kind.
    const std::size_t positives = args.size();
    for (std::size_t i = 1; i < positives; i += 5) add(-args[i]);

    std::sort(args.begin(), args.end(), [](double a, double b) { return std::fabs(a) < std::fabs(b) || (std::fabs(a) == std::fabs(b) && a < b); });
    args.erase(std::unique(args.begin(), args.end(), [](double a, double b) { return bits_of(a) == bits_of(b); }),
               args.end());
    std::printf("// %zu arguments, written by tools/trig_check (trig_check table): x, sin x, cos x correctly rounded (MPFR).\n",
                args.size());
    std::uint64_t misrounded = 0;
    for (double x : args) {
        const double s = correctly_rounded(x, true), c = correctly_rounded(x, false);
        if (bits_of(s) != bits_of(checked_sin(x)) || bits_of(c) != bits_of(checked_cos(x))) ++misrounded;
        std::printf("    {%a, %a, %a},\n", x, s, c);
    }
    std::fprintf(stderr, "table: %zu arguments, %" PRIu64 " where ours differs\n", args.size(), misrounded);
    return misrounded == 0 ? 0 : 1;
}

}  // namespace

double pack_sin(double x) {
    if (recording) recording->push_back(x);
    return observe(x, true);
}

double pack_cos(double x) {
    if (recording) recording->push_back(x);
    return observe(x, false);
}

int main(int argc, char** argv) {
    const std::string what = argc > 1 ? argv[1] : "";
    const std::uint64_t n = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 0;
    if (what == "frames") {
        const int scenes = check_scenes();
        const int fennick = check_fennick(n ? n : 100000000);
        return scenes | fennick;
    }
    if (what == "hard") return check_hard();
    if (what == "random") return check_random(n ? n : 10000000);
    if (what == "table") return print_table();
    std::fprintf(stderr, "usage: trig_check frames [N] | hard | random [N] | table\n");
    return 2;
}
