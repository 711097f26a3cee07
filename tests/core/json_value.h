#pragma once
// A small JSON reader for comparing the command line's answers with the
// reference answers, numbers within a tolerance.
#include <cmath>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

namespace velmora::testing {

struct Json {
    std::variant<std::nullptr_t, bool, double, std::string, std::vector<Json>, std::map<std::string, Json>> value;

    static Json parse(const std::string& text) {
        size_t i = 0;
        Json j = parseAt(text, i);
        skip(text, i);
        if (i != text.size()) throw std::runtime_error("trailing characters in JSON");
        return j;
    }

private:
    static void skip(const std::string& t, size_t& i) {
        while (i < t.size() && (t[i] == ' ' || t[i] == '\n' || t[i] == '\r' || t[i] == '\t')) ++i;
    }
    static void expect(const std::string& t, size_t& i, char c) {
        skip(t, i);
        if (i >= t.size() || t[i] != c) throw std::runtime_error(std::string("JSON: expected ") + c);
        ++i;
    }
    static Json parseAt(const std::string& t, size_t& i) {
        skip(t, i);
        if (i >= t.size()) throw std::runtime_error("JSON: unexpected end");
        const char c = t[i];
        if (c == '{') {
            ++i;
            std::map<std::string, Json> object;
            skip(t, i);
            if (t[i] == '}') return ++i, Json{object};
            for (;;) {
                Json key = parseAt(t, i);
                expect(t, i, ':');
                object[std::get<std::string>(key.value)] = parseAt(t, i);
                skip(t, i);
                if (t[i] == '}') return ++i, Json{object};
                expect(t, i, ',');
            }
        }
        if (c == '[') {
            ++i;
            std::vector<Json> array;
            skip(t, i);
            if (t[i] == ']') return ++i, Json{array};
            for (;;) {
                array.push_back(parseAt(t, i));
                skip(t, i);
                if (t[i] == ']') return ++i, Json{array};
                expect(t, i, ',');
            }
        }
        if (c == '"') {
            const size_t end = t.find('"', i + 1);
            if (end == std::string::npos) throw std::runtime_error("JSON: open string");
            Json j{t.substr(i + 1, end - i - 1)};
            i = end + 1;
            return j;
        }
        if (t.compare(i, 4, "null") == 0) return i += 4, Json{nullptr};
        if (t.compare(i, 4, "true") == 0) return i += 4, Json{true};
        if (t.compare(i, 5, "false") == 0) return i += 5, Json{false};
        size_t used = 0;
        const double d = std::stod(t.substr(i, 32), &used);
        i += used;
        return Json{d};
    }
};

// Where two values differ ("" when they agree), numbers within `tolerance`.
inline std::string difference(const Json& a, const Json& b, double tolerance, const std::string& path = "") {
    if (a.value.index() != b.value.index()) return path + ": different kinds";
    if (const auto* x = std::get_if<double>(&a.value)) {
        const double y = std::get<double>(b.value);
        return std::fabs(*x - y) <= tolerance ? "" : path + ": " + std::to_string(*x) + " vs " + std::to_string(y);
    }
    if (const auto* x = std::get_if<std::vector<Json>>(&a.value)) {
        const auto& y = std::get<std::vector<Json>>(b.value);
        if (x->size() != y.size()) return path + ": " + std::to_string(x->size()) + " vs " + std::to_string(y.size()) + " items";
        for (size_t k = 0; k < x->size(); ++k) {
            std::string d = difference((*x)[k], y[k], tolerance, path + "[" + std::to_string(k) + "]");
            if (!d.empty()) return d;
        }
        return "";
    }
    if (const auto* x = std::get_if<std::map<std::string, Json>>(&a.value)) {
        const auto& y = std::get<std::map<std::string, Json>>(b.value);
        if (x->size() != y.size()) return path + ": different keys";
        for (const auto& [key, v] : *x) {
            const auto it = y.find(key);
            if (it == y.end()) return path + "." + key + ": missing";
            std::string d = difference(v, it->second, tolerance, path + "." + key);
            if (!d.empty()) return d;
        }
        return "";
    }
    if (const auto* x = std::get_if<std::string>(&a.value)) return *x == std::get<std::string>(b.value) ? "" : path + ": " + *x;
    if (const auto* x = std::get_if<bool>(&a.value)) return *x == std::get<bool>(b.value) ? "" : path + ": differ";
    return "";  // both null
}

}  // namespace velmora::testing
