// Doc: the extension document the host keeps beside each of its documents. It owns the
// configuration of the automatic outputs, follows the host's current master device, programs
// or stops the device's outputs when host events say so, accepts new configurations as
// framework messages, and carries its persistence object.
#pragma once

#include <memory>

#include "config/event_config.h"
#include "dialog/setup_document.h"
#include "extension/document/identities.h"
#include "extension/document/persist_stream_settings.h"
#include "extension/framework/child_document.h"
#include "extension/framework/com_object_root.h"
#include "extension/framework/event_handler.h"
#include "extension/framework/mapped_unknown.h"
#include "extension/framework/message_handler.h"
#include "extension/framework/message_sender.h"
#include "host/api/device_object.h"
#include "host/api/master_device.h"
#include "platform/com/com_ptr.h"

namespace VavazaZavidi {

class Doc final : public VarnisChildDocument,
                  public KYTEventHandlerT<1>,
                  public IObserver,
                  public KYTEventHandlerBase,
                  public KYTMessageHandler,
                  public KYTMessageSender,
                  public Tev::CComObjectRoot,
                  public SetupDocument {
public:
    static constexpr const char16_t* kClassName = kDocumentClassName;
    static constexpr const GUID& kClassId = kDocumentClassId;
    static constexpr const GUID& kDocumentType = kDocumentTypeId;

    // A document beside `hostDocument` (may be null), made by `docClass`; it picks up the
    // host's current master device.
    Doc(IUnknown* hostDocument, ICustomDocClass* docClass);
    ~Doc() override;

    // IUnknown, through the document's interface map.
    TEV_MAPPED_IUNKNOWN

    // ICustomDocument2 (the rest is KYTDocument's)
    HRESULT Detach() override;
    HRESULT GetPersistObject(LONG flag, LONG kind, IUnknown** other,
                             IPersistStream** persist) override;

    // IKYTCommandHandler, IObserver and IMessageHandler at their host boundary: a failure of
    // a handler is reported to the user, never thrown at the host.
    HRESULT ExecuteCommand(MessageId id) override;
    HRESULT UpdateCommand(MessageId id, ICommandState* state) override;
    HRESULT HandleCommand(MessageId id, LONG kind, std::intptr_t value1,
                          std::intptr_t value2) override;
    HRESULT Connect(IObserverRegistry* service) override;
    HRESULT Notify(IUnknown* source, MessageId id, std::intptr_t value,
                   std::intptr_t parameter) override;
    HRESULT HandleMessage(IMessage* message) override;

    // The master device supports automatic outputs.
    bool IsAvailable();
    // The device's name from its properties; false (name unchanged) when it cannot be read.
    bool GetDeviceName(Tev::String& name) override;
    // The master device's Stimulator is enabled.
    bool IsStimulatorEnabled();
    // Takes the current master device from the host's sampling settings.
    void RefreshDevice();

    // Handlers of the event table.
    LONG OnConfigText(ITevString* text);
    bool ApplyIfAvailable();
    void ApplyOrStop();
    void StopOutputs();
    void WarnStimulator(BYTE flag);

    // The setup command: the menu item's state, choosing it (sends the setup request), and
    // the command proper, run when the request arrives; it answers 1 whatever happened.
    void UpdateSetupMenu(ICommandState* commandUI);
    HRESULT OnSetupMenu();
    LONG RunSetup();
    // What the setup dialog asks of the document besides the device's name: the host's
    // description of an input (through the master device's channel information) and the
    // host's help.
    bool GetInputDescription(std::int32_t input, Tev::String& description) override;
    void ShowHelp(const Tev::String& context, const Tev::String& file) override;

    // Offers the persistence object to the host's storage service, once.
    void RegisterPersistence();

    EventConfig& Configuration() { return *configuration_; }
    IMasterDevice* MasterDevice() const { return masterDevice_.Get(); }
    bool IsModified() const { return modified_; }
    void SetModified(bool modified) { modified_ = modified; }
    bool PersistenceOffered() const { return persistenceOffered_; }
    IPersistStream* Persistence() { return &persistence_; }

    static const EventTable& Events();

protected:
    KYTEventHandlerBase& EventHandlers() override { return *this; }
    bool HandleOwnMessage(IMessage* message) override { return HandleFromTable(message); }
    HRESULT HandleUnhandledMessage(IMessage* message) override;

private:
    // Whether one of the outputs the device has (the first AnalogOutputCount +
    // DigitalOutputCount records) is switched on.
    bool AnyOutputOn() const;
    // A configuration with exactly the device's outputs, carrying this document's settings
    // for the outputs the device has.
    std::unique_ptr<EventConfig> MakeWorkingCopy();
    // Tells the user that the master device cannot be set up (message 223).
    void RefuseUnsuitableDevice();

    PersistStreamSettings<Doc> persistence_;
    bool persistenceOffered_ = false;
    bool modified_ = false;
    std::unique_ptr<EventConfig> configuration_;
    ComPtr<IMasterDevice> masterDevice_;
    ComPtr<IDeviceObject> deviceObject_;
};

}  // namespace VavazaZavidi
