#include "bench/xml/bench_documents.h"

std::wstring ChannelDescription() {
    return L"<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n"
           L"<ChannelInfo device=\"Corvex\" version=\"3\">\n"
           L"  <Name>Input 1</Name>\n"
           L"  <Index>0</Index>\n"
           L"  <Kind>Analog</Kind>\n"
           L"  <Unit>V</Unit>\n"
           L"  <Coupling mode=\"DC\"/>\n"
           L"  <SampleRate>10000</SampleRate>\n"
           L"  <Filter low=\"0.1\" high=\"5000\"/>\n"
           L"  <PhysicalGainIndex>10 V</PhysicalGainIndex>\n"
           L"  <Offset>0</Offset>\n"
           L"  <Resolution>16</Resolution>\n"
           L"  <Enabled>true</Enabled>\n"
           L"  <Comment>Left &amp; right channels share a ground</Comment>\n"
           L"</ChannelInfo>\n";
}

std::wstring LargeDocument(std::size_t characters) {
    std::wstring text = L"<?xml version=\"1.0\"?>\n<Recording>\n";
    for (int record = 0; text.size() < characters; ++record) {
        const std::wstring n = std::to_wstring(record);
        text += L"  <Channel id=\"" + n + L"\" name='Input " + n + L"' enabled=\"true\">\n";
        text += L"    <PhysicalGainIndex>10 V</PhysicalGainIndex>\n";
        text += L"    <Range low=\"-10\" high=\"10\"/>\n";
        text += L"    <Description>Amplified signal from electrode " + n +
                L", &lt;filtered&gt;\n      and sampled at 10 kHz &amp; stored</Description>\n";
        text += L"    <Script><![CDATA[if (a < b && c > d) { stop(); }]]></Script>\n";
        text += L"  </Channel>\n";
    }
    text += L"</Recording>\n";
    return text;
}
