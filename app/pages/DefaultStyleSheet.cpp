#include "app/pages/DefaultStyleSheet.h"

namespace com::quorvex::products::tamblix::pages {

std::string defaultStyleSheet() {
    // One rule a line, in the order in which they override each other.
    return "body { background: white; margin: 0; padding: 0; border: 0; text-align: left; height: 100%; font-family: \"Lucida Grande\", \"Lucida Sans Unicode\", Verdana, Tahoma, Arial, sans-serif; color: #333; }\n"
           "#bodywrapper { font-size: small; }\n"
           "#menu { margin: 0; padding: 0; }\n"
           "#menu ul { border: 0; margin: 0; padding: 0; list-style-type: none; text-align: center; clear: left; }\n"
           "#menu ul li { display: block; float: left; text-align: center; padding: 0; margin: 0; }\n"
           "#menu ul li a { height: 2em; border-top: 1px solid #ccc; border-left: 1px solid #ccc; border-bottom: 0px solid #e2e2e2; border-right: none; padding: 0; margin: 0 0 10px 0; text-decoration: none; display: block; text-align: center; font-weight: normal; letter-spacing: 1px; line-height: 2em; font-size: 75%; background: #e2e2e2; }\n"
           "#menu ul li a.selected { background: #ffffff; color: #000; }\n"
           "#menu ul li a.notselected { color: #333; }\n"
           "#menu ul li a.disabled { color: #888; }\n"
           "#menu ul li#one a { border-left: none; }\n"
           "#menu ul { width: 100% !important; }\n"
           "#menu ul li a { width: 100% !important; }\n"
           "#menu ul li { width: 24.81% !important; }\n"
           "#menu ul > li { width: 25% !important; }\n"
           "#menu ul li a em { font-style: normal; font-weight: normal; text-decoration: underline; }\n"
           "#menu ul li a:hover { background: #f0f0f0; color: #000; text-decoration: underline; }\n"
           "#menu a:active { background: #777777; color: #f0f0f0; }\n"
           "#bannerimage { border: 0; padding: 0; margin: 0; vertical-align: bottom; }\n"
           "#content { background: white; padding-left: 1em; padding-right: 1em; }\n"
           ".resulttable { border: 0px solid #909090; }\n"
           ".resulttable thead tr th { background-color: #cccccc; padding-left: 5px; padding-right: 5px; border-left: 1px solid #c0c0c0; }\n"
           ".resulttable thead tr th.switch-view { background-color: #fff; }\n"
           ".resulttable tbody tr { border-left: 10px solid #888888; }\n"
           ".resulttable tbody tr td { border-left: 1px solid #d0d0d0; padding-left: 5px; padding-right: 5px; border-bottom: 1px solid #d0d0d0; }\n"
           ".resulttable tbody tr.even td { background-color: #eeeeee; }\n"
           ".resulttable tbody tr.odd td { background-color: #ffffff; }\n"
           "h1, h2, h3, h4, h5, h6 { margin-top: 25px; margin-bottom: 2px; }\n"
           "h1 { font-size: 150%; }\n"
           "h2 { font-size: 125%; }\n"
           "h3 { font-size: 110%; }\n"
           "p { margin-top: 0; margin-bottom: 1em; }\n"
           "a { color: #f90; font-weight: bold; text-decoration: none; }\n"
           "a em { font-style: normal; text-decoration: underline; }\n"
           "a.new-window:after { content: \" q\"; font-size: 200%; }\n"
           "a:hover { color: #c60; text-decoration: underline; }\n"
           "a:active { color: #c60; }\n"
           ".helpsection { border-bottom: thin dotted; border-color: gray; cursor: help; }\n";
}

}  // namespace com::quorvex::products::tamblix::pages
