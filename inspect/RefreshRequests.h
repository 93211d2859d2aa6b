#pragma once
// Refresh requests of a pane with several pages, coalesced until the next
// idle moment. Every request reaches every page; an idle pass performs only
// the selected page's, and the others wait until their page is selected.
// A later request replaces the view of an earlier one and keeps any rebuild
// the earlier one asked for.
#include <optional>
#include <utility>
#include <vector>

template <typename View>
class RefreshRequests {
public:
    struct Request {
        View view{};
        bool rebuild = false;
    };

    explicit RefreshRequests(int pages) : pending_(size_t(pages)) {}

    // Records a request for every page.
    void Add(View view, bool rebuild)
    {
        view_ = std::move(view);
        for (Pending& page : pending_) {
            page.waiting = true;
            page.rebuild = page.rebuild || rebuild;
        }
    }

    bool IsPending(int page) const { return Valid(page) && pending_[size_t(page)].waiting; }

    // The request to perform for page now, if one waits; it is then done.
    std::optional<Request> Take(int page)
    {
        if (!IsPending(page))
            return std::nullopt;
        Pending& pending = pending_[size_t(page)];
        Request request{view_, pending.rebuild};
        pending = Pending{};
        return request;
    }

private:
    struct Pending {
        bool waiting = false;
        bool rebuild = false;
    };

    bool Valid(int page) const { return page >= 0 && size_t(page) < pending_.size(); }

    View view_{};
    std::vector<Pending> pending_;
};
