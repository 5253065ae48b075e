#include "bench_skins.h"

namespace {

// Texts of the installer's skins; this file is UTF-8, and so are its narrow literals.
const char kWaiting[] = "等待安装…";
const char kInstallNow[] = "立即安装";

std::string Control(int index) {
  const std::string id = std::to_string(index);
  const std::string x = std::to_string(10 + (index % 5) * 150);
  switch (index % 5) {
    case 0:
      return "    <Button name=\"btn_item_" + id + "\" text=\"" + kInstallNow + " " + id + "\" pos=\"" + x +
             ",5,150,35\" width=\"140\" height=\"30\" font=\"2\" textcolor=\"#ffffffff\" "
             "normalimage=\"file='btn_normal.png' corner='4,4,4,4'\" hotimage=\"file='btn_hot.png' "
             "corner='4,4,4,4'\" pushedimage=\"file='btn_pushed.png' corner='4,4,4,4'\" "
             "tooltip=\"Start &quot;item " +
             id + "&quot;\" />\n";
    case 1:
      return "    <Label name=\"lab_title_" + id + "\" text=\"Product &amp; service " + id +
             "\" width=\"200\" height=\"24\" textcolor=\"#ff252733\" font=\"1\" align=\"left\" "
             "padding=\"8,0,8,0\" endellipsis=\"true\" />\n";
    case 2:
      return "    <Option name=\"opt_nav_" + id + "\" group=\"nav\" text=\"Page " + id +
             "\" width=\"96\" height=\"32\" selected=\"false\" selectedimage=\"file='tab_sel.png' "
             "dest='0,28,96,32'\" hottextcolor=\"#ff3a7bd5\" />\n";
    case 3:
      return "    <Text name=\"txt_desc_" + id + "\" text=\"" + kWaiting + " &lt;" + id +
             "&gt; details\" width=\"300\" height=\"40\" multiline=\"true\" "
             "textpadding=\"4,4,4,4\" bkcolor=\"#fff5f6f8\" bordersize=\"1\" bordercolor=\"#ffdddddd\" />\n";
    default:
      return "    <Progress name=\"pro_install_" + id +
             "\" width=\"400\" height=\"8\" min=\"0\" max=\"100\" "
             "value=\"" +
             std::to_string(index % 101) +
             "\" bkimage=\"file='pro_bk.png' corner='2,2,2,2'\" "
             "foreimage=\"file='pro.png' corner='2,2,2,2'\" />\n";
  }
}

}  // namespace

std::string MakeLargeSkin(int controls) {
  std::string text =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<Window size=\"960,720\" caption=\"0,0,0,36\" roundcorner=\"4,4\" mininfo=\"960,720\" "
      "showshadow=\"true\">\n"
      "  <Include source=\"Default.xml\" />\n"
      "  <VerticalLayout name=\"ver_root\" bkcolor=\"#ffffffff\" vscrollbar=\"true\">\n";
  for (int i = 0; i < controls; ++i) {
    if (i % 5 == 0) {
      text += "   <HorizontalLayout name=\"hor_row_" + std::to_string(i / 5) +
              "\" height=\"48\" childpadding=\"8\" padding=\"10,4,10,4\">\n";
    }
    text += Control(i);
    if (i % 5 == 4 || i == controls - 1) text += "   </HorizontalLayout>\n";
  }
  text += "  </VerticalLayout>\n</Window>\n";
  return text;
}

std::string RealisticWindowSkin() {
  return "\xEF\xBB\xBF"
         R"xml(<?xml version="1.0" encoding="UTF-8"?>
<!-- Main window of the installer front-end -->
<Window size="960,720" caption="0,0,0,36" roundcorner="6,6" showshadow="true" shadowsize="8"
        shadowcorner="10,10,10,10" shadowimage="shadow.png">
  <Include source="Default.xml" />
  <Font id="0" name="Microsoft YaHei" size="12" default="true" />
  <Font id="1" name="Microsoft YaHei" size="14" bold="true" />
  <Font id="2" name="Microsoft YaHei" size="18" bold="true" />
  <Default name="Button" value="textcolor=&quot;#ffffffff&quot; font=&quot;1&quot;
      normalimage=&quot;file='btn.png' source='0,0,120,36'&quot;
      hotimage=&quot;file='btn.png' source='0,36,120,72'&quot;" />
  <Default name="VScrollBar" value="button1normalimage=&quot;file='scroll.png' source='0,0,16,16'&quot;
      thumbnormalimage=&quot;file='scroll.png' source='0,32,16,48' corner='2,2,2,2'&quot;
      showbutton1=&quot;false&quot; showbutton2=&quot;false&quot;" />
  <VerticalLayout name="ver_root" bkcolor="#ff252733">
    <HorizontalLayout name="hor_title" height="36" bkcolor="#ff1e1f29">
      <Control name="con_logo" width="24" height="24" padding="12,6,0,0" bkimage="logo.png" />
      <Label name="lab_product" text="" textcolor="#ffe0e0e0" font="1" padding="8,0,0,0" />
      <Control />
      <Button name="btn_min" width="36" height="36" tooltip="Minimise"
              normalimage="file='sys_btn.png' source='0,0,36,36'"
              hotimage="file='sys_btn.png' source='36,0,72,36'" />
      <Button name="btn_close" width="36" height="36" tooltip="Close"
              normalimage="file='sys_btn.png' source='0,36,36,72'"
              hotimage="file='sys_btn.png' source='36,36,72,72'" />
    </HorizontalLayout>
    <TabLayout name="tab_pages" selectedid="0">
      <VerticalLayout name="ver_main" padding="24,16,24,16" childpadding="12">
        <HorizontalLayout name="hor_nav" height="40" childpadding="8" />
        <VerticalLayout name="ver_card_0" height="160" bkcolor="#ff2e3040" roundcorner="8,8"
                        inset="16,12,16,12">
          <Label name="lab_card_title_0" height="28" font="2" textcolor="#ffffffff" />
          <Text name="txt_card_body_0" height="64" multiline="true" textcolor="#ffb0b3c0"
                endellipsis="true" />
          <Button name="btn_card_link_0" height="24" width="120" align="left" text="More &gt;&gt;"
                  textcolor="#ff3a7bd5" hottextcolor="#ff5b9bf5" userdata="" />
        </VerticalLayout>
        <VerticalLayout name="ver_card_1" height="160" bkcolor="#ff2e3040" roundcorner="8,8"
                        inset="16,12,16,12">
          <Label name="lab_card_title_1" height="28" font="2" textcolor="#ffffffff" />
          <Text name="txt_card_body_1" height="64" multiline="true" textcolor="#ffb0b3c0"
                endellipsis="true" />
          <Button name="btn_card_link_1" height="24" width="120" align="left" text="More &gt;&gt;"
                  textcolor="#ff3a7bd5" hottextcolor="#ff5b9bf5" userdata="" />
        </VerticalLayout>
        <VerticalLayout name="ver_card_2" height="160" bkcolor="#ff2e3040" roundcorner="8,8"
                        inset="16,12,16,12">
          <Label name="lab_card_title_2" height="28" font="2" textcolor="#ffffffff" />
          <Text name="txt_card_body_2" height="64" multiline="true" textcolor="#ffb0b3c0"
                endellipsis="true" />
          <Button name="btn_card_link_2" height="24" width="120" align="left" text="More &gt;&gt;"
                  textcolor="#ff3a7bd5" hottextcolor="#ff5b9bf5" userdata="" />
        </VerticalLayout>
        <HorizontalLayout name="hor_install" height="64" childpadding="16">
          <Control />
          <VerticalLayout name="ver_progress" width="420" visible="false">
            <Progress name="pro_download" height="8" min="0" max="100" value="0"
                      bkimage="file='pro_bk.png' corner='2,2,2,2'"
                      foreimage="file='pro.png' corner='2,2,2,2'" />
            <Label name="lab_percent" height="20" text="0%" textcolor="#ffb0b3c0" align="right" />
          </VerticalLayout>
          <Label name="lab_waiting" width="160" text="等待安装…" visible="false" />
          <Button name="btn_install" width="180" height="48" font="2" enabled="false" text="立即安装"
                  normalimage="file='install.png' corner='8,8,8,8'"
                  disabledimage="file='install_disabled.png' corner='8,8,8,8'" userdata="" />
        </HorizontalLayout>
      </VerticalLayout>
      <VerticalLayout name="ver_error" inset="0,120,0,0">
        <Control height="96" bkimage="file='error.png' dest='432,0,528,96'" />
        <Label name="lab_error" height="40" align="center" textcolor="#ffe0e0e0"
               text="Could not reach the store &amp; its server." />
        <Button name="btn_store" height="36" width="200" padding="380,16,0,0" text="Open the store" />
      </VerticalLayout>
    </TabLayout>
  </VerticalLayout>
</Window>
)xml";
}
