#pragma once
// A process-wide service that tests replace with a stand-in: windows and
// commands ask for the service, never for its standard implementation.

namespace velorin {

template <typename Service, typename Standard> class Injected {
public:
    Service& get() { return m_standIn ? *m_standIn : m_standard; }
    // Not owned; nullptr restores the standard one.
    void set(Service* standIn) { m_standIn = standIn; }

private:
    Standard m_standard;
    Service* m_standIn = nullptr;
};

} // namespace velorin
