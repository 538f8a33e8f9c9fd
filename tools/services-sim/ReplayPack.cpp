#include "ReplayPack.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "FileText.h"
#include "sources/PackIndex.h"
#include "util/LineInput.h"

namespace wx::sim {
namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// Percent escapes, and in a query '+' for a space, as a server decodes them.
std::string decodedUrlText(const std::string& text, bool plusIsSpace) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '+' && plusIsSpace) {
            out += ' ';
        } else if (text[i] == '%' && i + 2 < text.size() && hexValue(text[i + 1]) >= 0 &&
                   hexValue(text[i + 2]) >= 0) {
            out += static_cast<char>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string contentTypeOf(const std::string& bodyFile) {
    const std::string extension = std::filesystem::path(bodyFile).extension().string();
    if (extension == ".json") {
        return "application/json";
    }
    return extension == ".csv" ? "text/csv; charset=utf-8" : "text/plain";
}

}  // namespace

std::pair<std::string, QueryKey> requestKey(const std::string& url) {
    const size_t scheme = url.find("://");
    const size_t pathStart = url.find('/', scheme == std::string::npos ? 0 : scheme + 3);
    if (pathStart == std::string::npos) {
        return {"/", {}};
    }
    const size_t queryStart = url.find('?', pathStart);
    const size_t end = url.find('#', pathStart);
    const std::string path = decodedUrlText(url.substr(pathStart, std::min(queryStart, end) - pathStart), false);
    QueryKey query;
    if (queryStart != std::string::npos && queryStart < end) {
        std::istringstream pairs(url.substr(queryStart + 1, end == std::string::npos ? end : end - queryStart - 1));
        for (std::string pair; std::getline(pairs, pair, '&');) {
            if (pair.empty()) {
                continue;
            }
            const size_t equals = pair.find('=');
            query.emplace_back(decodedUrlText(pair.substr(0, equals), true),
                               equals == std::string::npos ? "" : decodedUrlText(pair.substr(equals + 1), true));
        }
    }
    std::sort(query.begin(), query.end());
    return {path, query};
}

std::shared_ptr<ReplayPack> ReplayPack::load(const std::string& dir, std::string& error) {
    const std::filesystem::path folder(dir);
    std::ifstream index(folder / kPackIndexFile, std::ios::binary);
    if (!index) {
        error = "cannot read " + (folder / kPackIndexFile).string();
        return nullptr;
    }
    auto pack = std::make_shared<ReplayPack>();
    std::string line;
    for (int number = 1; readLine(index, line); ++number) {
        if (line.empty()) {
            continue;
        }
        const std::optional<PackEntry> entry = parsePackIndexLine(line);
        if (!entry) {
            error = (folder / kPackIndexFile).string() + ":" + std::to_string(number) + ": not a request of a pack";
            return nullptr;
        }
        if (entry->outcome == HttpOutcome::Certificate) {
            continue;
        }
        ReplayAnswer answer{entry->outcome, entry->status, nullptr, "", entry->retryAfter};
        if (entry->outcome == HttpOutcome::Answered) {
            // Bodies lie in the pack's own folder, nowhere else.
            const std::filesystem::path name(entry->bodyFile);
            const auto body = name.has_filename() && name == name.filename() ? readFileText(folder / name) : std::nullopt;
            if (!body) {
                error = "cannot read " + (folder / entry->bodyFile).string();
                return nullptr;
            }
            answer.body = std::make_shared<const std::string>(*body);
            answer.contentType = contentTypeOf(entry->bodyFile);
        }
        pack->series_[requestKey(entry->url)].answers.push_back(std::move(answer));
    }
    return pack;
}

std::optional<ReplayAnswer> ReplayPack::next(const std::string& path, const QueryKey& query) {
    std::lock_guard lock(mutex_);
    const auto it = series_.find({path, query});
    if (it == series_.end()) {
        return std::nullopt;
    }
    Series& series = it->second;
    const ReplayAnswer& answer = series.answers[std::min(series.served, series.answers.size() - 1)];
    ++series.served;
    return answer;
}

}  // namespace wx::sim
