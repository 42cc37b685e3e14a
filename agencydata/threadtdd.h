#pragma once

#include "companion/core/workerthread.h"

#include <atomic>

#include <string>

class TddWebService;

// The two workers of an agency data session. Each runs one step of the
// session's TddWebService, which posts the step's codes; neither touches a
// widget. They are owned by the session (TddSession), which stops and waits
// for them before it goes.

// The stage request, then the signed login link.
class ThreadTDDGetWebAuth : public MyWorkerThread
{
    Q_OBJECT
public:
    explicit ThreadTDDGetWebAuth(TddWebService* service, QObject* parent = nullptr);
    ~ThreadTDDGetWebAuth() override;
    // 99 until run; 130 when a step of the session already ran; 112 after a
    // failed stage step; 0 once the link was handed to the browser.
    int result() const { return m_result.load(); }

protected:
    void run() override;

private:
    TddWebService* m_service;
    std::atomic<int> m_result{99};
};

// The data polling with the callback's tokenA, handed over by value so the
// user-interface thread cannot change it under the worker.
class ThreadTDDGetData : public MyWorkerThread
{
    Q_OBJECT
public:
    ThreadTDDGetData(TddWebService* service, std::string tokenA, QObject* parent = nullptr);
    ~ThreadTDDGetData() override;
    // 99 until run; 130 when a poll already ran; else the polling's result.
    int result() const { return m_result.load(); }

protected:
    void run() override;

private:
    TddWebService* m_service;
    std::string m_tokenA;
    std::atomic<int> m_result{99};
};
