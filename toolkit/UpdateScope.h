// Holds back a list's redrawing or change notices (anything with BeginUpdate and EndUpdate:
// list view items, tree nodes, string lists) while it lives, and lets them go again on every
// way out of the scope, an early return or an exception included.
#pragma once

template <typename Updated>
class UpdateScope {
public:
    explicit UpdateScope(Updated& updated) : updated_(updated) { updated_.BeginUpdate(); }
    // EndUpdate may run change handlers (a string list's OnChange): what they throw reaches
    // the caller, as it would from a call of EndUpdate by hand.
    ~UpdateScope() noexcept(false) { updated_.EndUpdate(); }
    UpdateScope(const UpdateScope&) = delete;
    UpdateScope& operator=(const UpdateScope&) = delete;

private:
    Updated& updated_;
};
