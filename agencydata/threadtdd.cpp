#include "agencydata/threadtdd.h"

#include "agencydata/TddWebService.h"

ThreadTDDGetWebAuth::ThreadTDDGetWebAuth(TddWebService* service, QObject* parent)
    : MyWorkerThread(parent), m_service(service)
{
}

ThreadTDDGetWebAuth::~ThreadTDDGetWebAuth()
{
    cancel();
    wait();
}

void ThreadTDDGetWebAuth::run()
{
    if (!m_service->enterInQuery()) {
        m_result = 130;
        return;
    }
    try {
        if (m_service->wsGetTokenC() != 0) {
            m_result = 112;
        } else if (!isCancelled() && !m_service->stopRequested()) {
            m_service->visitTDDWebAuthUrl();
            m_result = 0;
        }
    } catch (...) {
        m_result = 112;
    }
    m_service->leaveOutQuery();
}

ThreadTDDGetData::ThreadTDDGetData(TddWebService* service, std::string tokenA, QObject* parent)
    : MyWorkerThread(parent), m_service(service), m_tokenA(std::move(tokenA))
{
}

ThreadTDDGetData::~ThreadTDDGetData()
{
    cancel();
    wait();
}

void ThreadTDDGetData::run()
{
    if (!m_service->enterPolling()) {
        m_result = 130;
        return;
    }
    try {
        m_result = m_service->wsGetDataAtLast(m_tokenA);
    } catch (...) {
        m_result = 0;
    }
    m_service->leavePolling();
}
