#include "toolkit/Classes.h"
#include "toolkit/UpdateScope.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>

TComponent::TComponent(TComponent* owner)
{
    if (owner) owner->Insert(this);
}

TComponent::~TComponent()
{
    destroying_ = true;
    DestroyComponents();
    if (owner_) owner_->Remove(this);
}

void TComponent::Insert(TComponent* component)
{
    component->owner_ = this;
    components_.push_back(component);
    Notify(component, opInsert);
}

void TComponent::Remove(TComponent* component)
{
    auto it = std::find(components_.begin(), components_.end(), component);
    if (it != components_.end()) components_.erase(it);
    component->owner_ = nullptr;
    Notify(component, opRemove);
}

void TComponent::Notify(TComponent* component, TOperation operation)
{
    for (size_t i = 0; i < components_.size(); ++i)
        if (components_[i] != component) components_[i]->Notification(component, operation);
}

void TComponent::DestroyComponents()
{
    // Each destructor takes its component out of the list, and may take others out
    // too (a control deletes its child controls), so always look at the list afresh.
    while (!components_.empty()) {
        TComponent* last = components_.back();
        Remove(last);
        delete last;
    }
}

TComponent* TComponent::FindComponent(const std::string& name) const
{
    for (TComponent* c : components_)
        if (lstrcmpiA(c->Name.c_str(), name.c_str()) == 0) return c;
    return nullptr;
}

// ---------------------------------------------------------------------------------------

int TStringList::Compare(const std::string& a, const std::string& b) const
{
    // The locale-aware comparison the ANSI API uses, so sorting matches the user's
    // expectation for accented letters.
    return caseSensitive_ ? lstrcmpA(a.c_str(), b.c_str()) : lstrcmpiA(a.c_str(), b.c_str());
}

int TStringList::SortedInsertPosition(const std::string& text) const
{
    auto it = std::upper_bound(items_.begin(), items_.end(), text,
                               [this](const std::string& t, const Item& item) {
                                   return Compare(t, item.text) < 0;
                               });
    return static_cast<int>(it - items_.begin());
}

void TStringList::Changed()
{
    if (updateCount_ > 0) {
        changedWhileHeld_ = true;
        return;
    }
    if (OnChange) OnChange(this);
}

void TStringList::EndUpdate()
{
    if (updateCount_ > 0 && --updateCount_ == 0 && changedWhileHeld_) {
        changedWhileHeld_ = false;
        Changed();
    }
}

void TStringList::SetString(int index, const std::string& text)
{
    items_.at(index).text = text;
    if (sorted_) Sort();
    Changed();
}

void TStringList::SetObject(int index, void* object)
{
    items_.at(index).object = object;
}

int TStringList::Add(const std::string& text)
{
    return AddObject(text, nullptr);
}

int TStringList::AddObject(const std::string& text, void* object)
{
    int index = sorted_ ? SortedInsertPosition(text) : Count();
    items_.insert(items_.begin() + index, Item{text, object});
    Changed();
    return index;
}

void TStringList::Insert(int index, const std::string& text)
{
    if (sorted_) throw std::logic_error("Operation not allowed on sorted string list");
    if (index < 0 || index > Count()) throw std::out_of_range("List index out of bounds");
    items_.insert(items_.begin() + index, Item{text, nullptr});
    Changed();
}

void TStringList::Delete(int index)
{
    if (index < 0 || index >= Count()) throw std::out_of_range("List index out of bounds");
    items_.erase(items_.begin() + index);
    Changed();
}

void TStringList::Clear()
{
    if (items_.empty()) return;
    items_.clear();
    Changed();
}

void TStringList::Exchange(int a, int b)
{
    std::swap(items_.at(a), items_.at(b));
    Changed();
}

int TStringList::IndexOf(const std::string& text) const
{
    for (int i = 0; i < Count(); ++i)
        if (Compare(items_[i].text, text) == 0) return i;
    return -1;
}

void TStringList::Sort()
{
    std::stable_sort(items_.begin(), items_.end(), [this](const Item& a, const Item& b) {
        return Compare(a.text, b.text) < 0;
    });
    Changed();
}

void TStringList::SetSorted(bool sorted)
{
    if (sorted == sorted_) return;
    sorted_ = sorted;
    if (sorted_) Sort();
}

void TStringList::SetCaseSensitive(bool caseSensitive)
{
    if (caseSensitive == caseSensitive_) return;
    caseSensitive_ = caseSensitive;
    if (sorted_) Sort();
}

std::string TStringList::Text() const
{
    std::string text;
    for (const Item& item : items_) {
        text += item.text;
        text += "\r\n";
    }
    return text;
}

void TStringList::SetText(const std::string& text)
{
    const UpdateScope updating(*this);
    items_.clear();
    changedWhileHeld_ = true;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            Add(text.substr(start));
            break;
        }
        Add(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
    }
}

bool TStringList::LoadFromFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return false;
    SetText(bytes);
    return true;
}

bool TStringList::SaveToFile(const std::string& path) const
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    const std::string text = Text();
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    return !out.fail();
}
