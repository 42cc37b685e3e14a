#pragma once

// Requests a form page sends to the open-return page that holds it, as
// custom event types. The page handles each and consumes it.
enum ENUMTYPE_FORMEVENT : int {
    FORMEVENT_RELOAD = 1013,             // reload every page of the shown form
    FORMEVENT_FORWARD_EDIT = 1235,       // an EventForwardEdit: go to another form
    FORMEVENT_SUBMIT_T183 = 1831,        // e-signature request for the T183
    FORMEVENT_T183_TIME = 1832,          // status of the T183's request
    FORMEVENT_SUBMIT_RC71 = 1871,        // e-signature request for the RC71
    FORMEVENT_RC71_TIME = 1872,          // status of the RC71's request
    FORMEVENT_T2125_ADDRESS = 1873,      // the T1 address into the shown T2125
    FORMEVENT_COPY_PREPARER = 5000,      // the preparer's settings into both returns
    FORMEVENT_MAILING_TO_SPOUSE = 5001,  // the mailing address into the spouse's T1
};
