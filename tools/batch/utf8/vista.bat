:: vista.bat：Windows Vista 后台服务精简脚本
:: 把家用电脑用不到的后台服务设为禁用，不改动网络、声音、登录和 Windows 更新相关的服务。
:: 需要管理员权限：请用 Quellbrook 的“优化”按钮运行，或右键选择“以管理员身份运行”。
:: 运行前建议先点“快速备份当前服务”，以后以管理员身份运行 restore.bat 即可还原。改动在重启电脑后生效。
@echo off
setlocal
:: 按 ver 显示的版本号确认系统，以免在别的 Windows 上误运行
for /f "delims=" %%v in ('ver') do set "OSVER=%%v"
if not "%OSVER: 6.0.=%"=="%OSVER%" goto apply
echo 当前系统不是 Windows Vista，本脚本只适用于 Windows Vista。
set "ANSWER="
set /p "ANSWER=仍要继续请输入 Y 后回车，直接回车则取消："
if /i not "%ANSWER%"=="Y" goto :eof

:apply
echo 正在设置 Windows Vista 后台服务……
echo.

:: 远程注册表：让网络上的其他电脑修改本机注册表
sc config RemoteRegistry start= disabled
:: Windows Search：在后台为文件建索引，占用内存和硬盘；关闭后开始菜单仍能搜索，只是慢些
sc config WSearch start= disabled
:: Tablet PC 输入服务：手写笔和触摸输入，普通电脑用不到
sc config TabletInputService start= disabled
:: 传真
sc config Fax start= disabled
:: Windows Media Player 网络共享服务：把媒体库共享到局域网
sc config WMPNetworkSvc start= disabled
:: Media Center Extender 服务：连接 Xbox 360 等媒体中心扩展器
sc config Mcx2Svc start= disabled
:: 脱机文件：同步公司网络上的共享文件夹
sc config CscService start= disabled
:: 分布式链接跟踪客户端：跟踪局域网里移动过的 NTFS 文件链接
sc config TrkWks start= disabled
:: SNMP 陷阱：接收网络管理软件的消息
sc config SNMPTRAP start= disabled
:: WebClient：通过 WebDAV 访问网络文件夹，家用很少用到
sc config WebClient start= disabled

:: 以下服务有意保留：
:: 电话服务 TapiSrv：宽带拨号 PPPoE 要用到它；
:: 智能卡 SCardSvr 和智能卡删除策略 ScPolicySvc：网上银行的 U盾和不少公司的登录钥匙要用到它们；
:: Windows 错误报告服务 WerSvc：程序崩溃的报告用来查找和修补错误，其中也有安全漏洞；
:: Microsoft iSCSI 发起程序 MSiSCSI：本来就是需要时才启动，禁用它没有好处。

echo.
echo Windows Vista 后台服务设置完毕，重启电脑后生效。
echo 若上面有“拒绝访问”的提示，请右键选择“以管理员身份运行”重新运行本脚本。
