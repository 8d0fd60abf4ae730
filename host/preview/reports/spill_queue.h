// A first-in first-out queue of plain records that keeps at most two small batches in memory and
// the rest in an unnamed temporary file, so that a report whose records wait (pulses due after a
// long delay, level changes announced ahead) stays within a bounded memory however many wait.
#pragma once

#include <cstdio>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <type_traits>
#include <vector>

namespace preview {

template <typename T>
class SpillQueue {
    static_assert(std::is_trivially_copyable_v<T>);

public:
    explicit SpillQueue(std::size_t batch = 4096) : batch_(batch) {}

    bool Empty() const { return next_ == head_.size() && spilled_ == 0 && tail_.empty(); }

    void Push(const T& record) {
        tail_.push_back(record);
        if (tail_.size() < batch_)
            return;
        if (next_ == head_.size() && spilled_ == 0) {
            head_.swap(tail_);
            next_ = 0;
        } else {
            Spill();
        }
        tail_.clear();
    }

    // The oldest record; the queue must not be empty.
    const T& Front() {
        if (next_ == head_.size())
            Refill();
        return head_[next_];
    }

    void Pop() {
        Front();
        ++next_;
    }

private:
    struct FileCloser {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };

    void Spill() {
        if (!file_) {
            file_.reset(std::tmpfile());
            if (!file_)
                throw std::runtime_error("no temporary file for a report's waiting records");
        }
        if (std::fseek(file_.get(), 0, SEEK_END) != 0 ||
            std::fwrite(tail_.data(), sizeof(T), tail_.size(), file_.get()) != tail_.size())
            throw std::runtime_error("a report's waiting records could not be set aside");
        spilled_ += tail_.size();
    }

    void Refill() {
        head_.clear();
        next_ = 0;
        if (spilled_ == 0) {
            head_.swap(tail_);
            return;
        }
        const std::size_t count = std::min(spilled_, batch_);
        head_.resize(count);
        if (std::fseek(file_.get(), static_cast<long>(read_ * sizeof(T)), SEEK_SET) != 0 ||
            std::fread(head_.data(), sizeof(T), count, file_.get()) != count)
            throw std::runtime_error("a report's waiting records could not be read back");
        read_ += count;
        spilled_ -= count;
        if (spilled_ == 0) {
            // Everything set aside is back: the file starts over.
            read_ = 0;
            file_.reset();
        }
    }

    std::size_t batch_;
    std::vector<T> head_;  // read from next_
    std::size_t next_ = 0;
    std::vector<T> tail_;  // pushed last
    std::unique_ptr<std::FILE, FileCloser> file_;
    std::size_t read_ = 0;     // records of the file read back
    std::size_t spilled_ = 0;  // records in the file not yet read back
};

}  // namespace preview
