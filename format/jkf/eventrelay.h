#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <system_error>
#include <thread>
#include <vector>

// Events made on one thread and taken on another, in order: a parser on one core, the reader
// that takes its events on the other, so that a large text takes about as long as the slower
// of the two instead of both. The events go across in batches of many thousands (handing one
// over costs as much as taking thousands of events), at most a few batches ahead, so the
// memory stays the same for any size of text.

template <class Event>
struct EventBatch {
    std::vector<Event> events;
    std::deque<std::string> texts;  // texts the events refer to that are not in the parsed text
};

// The batches between the two threads. Either side may stop: the making side when it is done
// or fails, the taking side when an event is refused.
template <class Event>
class EventQueue {
  public:
    using Batch = EventBatch<Event>;
    static constexpr std::size_t BatchEvents = 65536;

    // The making side: hands over a full batch and gets an empty one; null once stopped.
    std::unique_ptr<Batch> Exchange(std::unique_ptr<Batch> full) {
        std::unique_lock lock(mutex_);
        if (stopped_) return nullptr;
        full_.push_back(std::move(full));
        changed_.notify_all();
        if (empty_.empty() && made_ < BatchesAhead) {
            ++made_;
            lock.unlock();
            return NewBatch();
        }
        changed_.wait(lock, [&] { return stopped_ || !empty_.empty(); });
        if (stopped_) return nullptr;
        std::unique_ptr<Batch> batch = std::move(empty_.back());
        empty_.pop_back();
        return batch;
    }
    // The making side: the last batch; nothing follows it.
    void Finish(std::unique_ptr<Batch> last) {
        const std::lock_guard lock(mutex_);
        if (last) full_.push_back(std::move(last));
        finished_ = true;
        changed_.notify_all();
    }
    // Either side: nothing more is handed over or taken.
    void Stop() {
        const std::lock_guard lock(mutex_);
        stopped_ = true;
        changed_.notify_all();
    }

    // The taking side: the next batch, waiting for it; null at the end or once stopped.
    std::unique_ptr<Batch> Take() {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return stopped_ || finished_ || !full_.empty(); });
        if (stopped_ || full_.empty()) return nullptr;
        std::unique_ptr<Batch> batch = std::move(full_.front());
        full_.pop_front();
        return batch;
    }
    void Recycle(std::unique_ptr<Batch> used) {
        used->events.clear();
        used->texts.clear();
        const std::lock_guard lock(mutex_);
        empty_.push_back(std::move(used));
        changed_.notify_all();
    }

    static std::unique_ptr<Batch> NewBatch() {
        auto batch = std::make_unique<Batch>();
        batch->events.reserve(BatchEvents);
        return batch;
    }

  private:
    static constexpr std::size_t BatchesAhead = 4;

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::unique_ptr<Batch>> full_;
    std::vector<std::unique_ptr<Batch>> empty_;
    std::size_t made_ = 0;
    bool finished_ = false;
    bool stopped_ = false;
};

// Where the making side puts its events: the current batch.
template <class Event>
class RelaySink {
  public:
    explicit RelaySink(EventQueue<Event>& queue)
        : queue_(queue), batch_(EventQueue<Event>::NewBatch()) {}

    // A new event at the end of the batch, for the maker to fill in where it lies.
    Event& Add() { return batch_->events.emplace_back(); }
    // Hands the batch over when it is full. False once the taking side stopped: the maker
    // stops too.
    bool Added() {
        if (batch_->events.size() < EventQueue<Event>::BatchEvents) return true;
        batch_ = queue_.Exchange(std::move(batch_));
        return batch_ != nullptr;
    }
    // A text that outlives the maker's own copy: kept with the batch its event goes in.
    std::string_view Keep(const std::string& text) { return batch_->texts.emplace_back(text); }

    std::unique_ptr<EventBatch<Event>> TakeBatch() { return std::move(batch_); }

  private:
    EventQueue<Event>& queue_;
    std::unique_ptr<EventBatch<Event>> batch_;
};

// The taking side: takes every event in order until the end, a refusal or an exception, which
// is kept in `thrown`; either of the last two stops the making side too.
template <class Event, class Take>
void TakeAll(EventQueue<Event>& queue, Take& take, std::exception_ptr& thrown) {
    try {
        while (std::unique_ptr<EventBatch<Event>> batch = queue.Take()) {
            for (const Event& event : batch->events)
                if (!take(event)) {
                    queue.Stop();
                    return;
                }
            queue.Recycle(std::move(batch));
        }
    } catch (...) {
        thrown = std::current_exception();
        queue.Stop();
    }
}

// Runs make(sink) here, while take(event) is called for each event the maker puts in the sink
// on a thread of its own, in order, until it answers false. The maker is told to stop (the
// sink answers false) soon after. An exception from take is thrown here once both have ended.
// False, having done nothing, when no thread can be started.
template <class Event, class Make, class Take>
bool MakeAlongside(Make make, Take take) {
    EventQueue<Event> queue;
    std::exception_ptr thrown;
    std::thread taker;
    try {
        taker = std::thread([&] { TakeAll(queue, take, thrown); });
    } catch (const std::system_error&) {
        return false;
    }
    // However this thread leaves, the other one ends first.
    struct JoinOnExit {
        EventQueue<Event>& queue;
        std::thread& thread;
        ~JoinOnExit() {
            if (!thread.joinable()) return;
            queue.Stop();
            thread.join();
        }
    } join{queue, taker};

    RelaySink<Event> sink(queue);
    make(sink);
    queue.Finish(sink.TakeBatch());
    taker.join();
    if (thrown) std::rethrow_exception(thrown);
    return true;
}
